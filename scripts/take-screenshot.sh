#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/main-window.png (Japanese) or docs/main-window-en.png (English)
# again: the build's program (build/bin, so run
# `make build` first) on a virtual X display, at the window's own size, over a
# generated photo folder that looks like a user's: three dozen pictures with a
# camera's names and times, a destination that already holds the first twelve
# of a series, a head name, the preview, a selection and a thumbnail.
#
#   scripts/take-screenshot.sh [DISPLAY_NUMBER [ja|en [PICTURE]]]     (default 99 ja)
#
# NORVANTA2_COLOR_SCHEME=dark in the environment takes the dark window.
#
# The photos lie under /home/yuki/Pictures in a private mount namespace of this
# script (unshare), so the folder lists show a home folder and nothing is made
# in the real /home. Needs Xvfb, xdotool, ImageMagick and util-linux's unshare,
# which works for an ordinary user where user namespaces are enabled.
set -eu
cd "$(dirname "$0")/.."
repository=$(pwd)
display=:${1:-99}
language=${2:-ja}
case $language in
ja) locale=ja_JP.UTF-8 picture=${3:-docs/main-window.png}
    source_name="2024-04-06 京都" target_name="整理済み" head_name="京都旅行" spring="花見" summer="鎌倉" ;;
en) locale=en_US.UTF-8 picture=${3:-docs/main-window-en.png}
    source_name="2024-04-06 Kyoto" target_name="Sorted" head_name="Kyoto" spring="Blossoms" summer="Kamakura" ;;
*) echo "language ja or en, not $language" >&2; exit 1 ;;
esac

if [ "${NV_SCREENSHOT_NAMESPACE:-}" != 1 ]; then
    exec unshare --mount --map-root-user env NV_SCREENSHOT_NAMESPACE=1 sh "$0" "$@"
fi

for tool in Xvfb xdotool convert import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
[ -x build/bin/norvanta2 ] || { echo "build/bin/norvanta2 is missing: run make build first" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid= program_pid=
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# --- the photo folders ------------------------------------------------------------
mount -t tmpfs -o mode=755 tmpfs /home
pictures=/home/yuki/Pictures
source="$pictures/$source_name"
target="$pictures/$target_name"
mkdir -p "$source" "$target" "$pictures/2024-03-30 $spring" "$pictures/2024-05-03 $summer"

# A landscape of its own for each number: sky, sun, far and near hills.
landscape() {
    set -- "$2" $(awk -v seed="$1" 'BEGIN { srand(seed * 7919); for (k = 0; k < 14; k++) printf "%d ", int(rand() * 1000) }')
    out=$1; shift
    sky=$(echo "#4f8fd0-#cfe6f7 #e9834f-#f7d9a0 #6aa7dc-#eaf4fb #35508f-#e3a47a" | cut -d' ' -f$(($1 % 4 + 1)))
    near="#3e7a3b"; [ $(($2 % 3)) = 0 ] && near="#7a6a3e"
    far="0,$((230 + $3 % 60)) 110,$((170 + $4 % 70)) 230,$((210 + $5 % 60)) 360,$((150 + $6 % 80)) 500,$((220 + $7 % 50)) 640,$((180 + $8 % 60)) 640,480 0,480"
    close="0,$((330 + $9 % 50)) 160,$((300 + ${10} % 40)) 320,$((340 + ${11} % 40)) 470,$((290 + ${12} % 50)) 640,$((330 + ${13} % 40)) 640,480 0,480"
    sun=$((80 + ${14} % 480))
    convert -size 640x480 gradient:"$sky" -fill '#fff6c8' -draw "circle $sun,90 $((sun + 28)),90" \
        -fill '#6f8fa6' -draw "polygon $far" -fill "$near" -draw "polygon $close" \
        -attenuate 0.4 +noise Gaussian -blur 0x0.6 -quality 88 "$out"
}

# The camera's files: numbers with a few gaps where shots were deleted, times through the day.
minute=0
for number in $(seq 3981 4022); do
    case $number in 3987|3995|3996|4008|4013|4019) continue ;; esac
    landscape "$number" "$source/IMG_$number.JPG"
    minute=$((minute + 7 + number % 11))
    touch -d "2024-04-06 $((9 + minute / 60)):$(printf %02d $((minute % 60))):$(printf %02d $((number % 60)))" "$source/IMG_$number.JPG"
done
for number in $(seq 1 12); do
    name=$(printf '%s%03d.jpg' "$head_name" "$number")
    cp "$source/IMG_$((3980 + number)).JPG" "$target/$name" 2>/dev/null || landscape "$number" "$target/$name"
    touch -d "2024-04-07 20:15:$(printf %02d "$number")" "$target/$name"
done

# --- the program, as a portable folder with its settings ---------------------------
folder=$work/Norvanta2
mkdir "$folder"
cp build/bin/norvanta2 build/bin/Readme.txt build/bin/Readme.ja.txt build/bin/Readme.en.txt \
    build/bin/norvanta2_en.qm "$folder/"
# Source, destination, 3 digits, "jpg" (third of bmp, gif, jpg), head name, next number,
# report view, option off, and a head-name history.
printf '"%s/","%s/",3,2,"%s","13",1,0,"","","","","","","","%s","%s","%s"\r\n' \
    "$source" "$target" "$head_name" "$spring" "$summer" "$head_name" | iconv -f UTF-8 -t CP932 >"$folder/DataFile.ini"

# --- the picture ---------------------------------------------------------------------
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

mkdir -m 700 "$work/runtime"
HOME=/home/yuki XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work LANGUAGE= LANG=$locale LC_ALL= "$folder/norvanta2" \
    >"$work/program.log" 2>&1 &
program_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --classname '^norvanta2$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"   # WIDTH, HEIGHT

# A double click on a row of the source list shows its thumbnail; Shift+Down
# then widens the selection from that row, as a user choosing a batch would.
xdotool mousemove --window "$window" $((WIDTH / 8)) $((HEIGHT * 52 / 100)) click --repeat 2 --delay 80 1
sleep 0.5
xdotool key --delay 60 shift+Down shift+Down shift+Down shift+Down shift+Down
xdotool mousemove 1270 1010   # no tooltip in the picture
sleep 1
case $picture in /*) ;; *) picture=$repository/$picture ;; esac
import -window "$window" "$picture"
echo "$picture: ${WIDTH}x${HEIGHT}"
