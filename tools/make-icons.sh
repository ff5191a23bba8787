#!/bin/sh
# Regenerates the program's own pictures under data/:
#   icons/emt/s_1.gif .. s_24.gif     emoticons
#   icons/emt/<name><1-9>.gif         animated letter images, nine styles
#   icons/usps.gif, icons/ups.gif     carrier badges
#   graphics/Listwright.png           the program icon, 64x64 (its SVG is drawn by hand)
#   extIcon.ico                       ad-file icon (32x32 and 16x16)
#   graphics/extIcon.png              the same, 48x48, for the desktop's file association
# All drawn here with ImageMagick and DejaVu fonts; metadata and timestamps are
# stripped and ImageMagick runs single-threaded, so every run writes the same
# bytes. The outputs are committed: a normal build needs none of these tools.
#
# Usage: tools/make-icons.sh [data-dir]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
data=${1:-"$here/../data"}

# Tools: ImageMagick, the DejaVu fonts and Python 3, installed when missing.
need=""
command -v convert >/dev/null 2>&1 || need="$need imagemagick"
command -v python3 >/dev/null 2>&1 || need="$need python3"
for f in DejaVuSans-Bold DejaVuSerif-Bold DejaVuSansMono-Bold; do
    [ -f "/usr/share/fonts/truetype/dejavu/$f.ttf" ] || { need="$need fonts-dejavu-core"; break; }
done
if [ -n "$need" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "installing:$need" >&2
    $sudo apt-get update
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $need
fi

export MAGICK_THREAD_LIMIT=1
export LC_ALL=C

mkdir -p "$data/icons/emt" "$data/graphics"
sh "$here/icons/emoticons.sh" "$data/icons/emt"
python3 "$here/icons/letters.py" "$data/icons/emt"
sh "$here/icons/graphics.sh" "$data/graphics" "$data/icons" "$data/extIcon.ico"

echo "pictures written under $data"
