#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# check-install.sh BUILD APPLICATION_ID VERSION
# Installs BUILD into a temporary prefix and checks that every file is where a
# desktop looks for it, that the menu entry validates (check-package.sh judges
# the metadata), and that the installed program, closed through its exit
# button, opened at the user's pictures folder, keeps its settings in
# $XDG_CONFIG_HOME/norvanta2/ and writes nothing into the prefix.
set -eu
fail() { echo "FAIL: $*" >&2; exit 1; }

# Second half, run on a private X display: start, press 終了(&X) by its
# mnemonic, wait for the program to end.
if [ "${1:-}" = --exit-through-button ]; then
    program=$2 settings=$3
    "$program" & pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Norvanta２$' | head -n 1) ||
        { kill "$pid"; fail "the installed program showed no window"; }
    [ -d "$settings" ] || { kill "$pid"; fail "the settings folder $settings was not made at start-up"; }
    xdotool windowfocus "$window" key --clearmodifiers alt+x
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the exit button did not end the program"; }
    wait "$pid" || fail "the program ended with status $?"
    exit 0
fi

build=$1 id=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/norvanta2 bin/norvanta2-send share/norvanta2/Readme.txt share/norvanta2/Readme.ja.txt \
        share/norvanta2/Readme.en.txt share/norvanta2/norvanta2_en.qm \
        "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
        "share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "no $size x $size PNG icon: $(file "$png")"
done
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the menu entry does not name the icon $id"
grep -qx "Exec=norvanta2" "$prefix/share/applications/$id.desktop" || fail "the menu entry does not start norvanta2"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the metadata has no release $version"

missing=
for tool in xvfb-run xdotool desktop-file-validate; do
    command -v "$tool" >/dev/null || missing="$missing $tool"
done
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIP: cannot start the installed program without:$missing (make deps installs them)"
    exit 77
fi
mkdir -p "$work/home/Pictures" && mkdir -m 700 "$work/runtime"
HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work \
    xvfb-run -a sh "$0" --exit-through-button "$prefix/bin/norvanta2" "$work/config/norvanta2"
# The first start opens the user's pictures folder.
source_folder=$(cut -d , -f 1 "$work/config/norvanta2/DataFile.ini")
[ "$source_folder" = "\"$work/home/Pictures/\"" ] ||
    fail "no first-start settings in $work/config/norvanta2/DataFile.ini: source folder $source_folder"
written=$(find "$prefix" -name '*.ini')
[ -z "$written" ] || fail "the program wrote into its installation: $written"

if [ -n "$missing" ]; then
    echo "SKIP: cannot validate without:$missing (make deps installs them)"
    exit 77
fi
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "the menu entry does not validate"
echo "installed layout checked"
