#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# check-package.sh BUILD VERSION
# Builds the Debian package of BUILD into a temporary folder, as `make package`
# does, and checks its name, what it declares it needs and what it installs,
# then has lintian and appstreamcli judge it: any error or warning fails.
set -eu
fail() { echo "FAIL: $*" >&2; exit 1; }
build=$1 version=$2
for tool in dpkg-shlibdeps file lintian appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: cannot build and check the package without $tool (make deps installs it)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }

deb=$work/norvanta2_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$work")"
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins qt6-image-formats-plugins fonts-noto-cjk; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed: $depends"
done
files=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/norvanta2 ./usr/bin/norvanta2-send ./usr/share/norvanta2/Readme.txt \
        ./usr/share/applications/io.github.norvanta2.Norvanta2.desktop \
        ./usr/share/icons/hicolor/48x48/apps/io.github.norvanta2.Norvanta2.png \
        ./usr/share/man/ja/man1/norvanta2.1.gz ./usr/share/man/ja/man1/norvanta2-send.1.gz; do
    echo "$files" | grep -q " $path\$" || fail "the package lacks $path"
done

# Read from the package itself: what an installation gets.
dpkg-deb --extract "$deb" "$work/root"
zcat "$work/root/usr/share/doc/norvanta2/changelog.gz" | head -n 1 | grep -q "^norvanta2 ($version) " ||
    fail "the change log does not start with version $version"
appstreamcli validate --pedantic --no-net "$work/root/usr/share/metainfo/io.github.norvanta2.Norvanta2.metainfo.xml" ||
    fail "the metadata has errors or warnings"
# --no-cfg: the machine's lintian settings suppress nothing.
lintian --no-cfg --no-override --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
echo "package $(basename "$deb") checked"
