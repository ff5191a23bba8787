#!/usr/bin/env bash
# Puts the whole-page shots of two versions of the templates side by side, one sheet per template:
# before and after at 1000 px (a desktop), then before and after at 360 px (a phone). A phone page
# wider than its 360 px screen shows the screen's right edge as a red line.
#
# Usage: tools/make-contact-sheets.sh BEFORE_DIR AFTER_DIR OUT_DIR
#   BEFORE_DIR, AFTER_DIR  shots NN-1000.png and NN-360.png, as tools/audit-templates.sh --shots makes them
#   OUT_DIR                gets NN.jpg for every NN found in both
#
# Needs ImageMagick (installed with apt-get when missing) and the DejaVu fonts for the labels.
set -euo pipefail

before=${1:?usage: make-contact-sheets.sh BEFORE_DIR AFTER_DIR OUT_DIR}
after=${2:?usage: make-contact-sheets.sh BEFORE_DIR AFTER_DIR OUT_DIR}
out=${3:?usage: make-contact-sheets.sh BEFORE_DIR AFTER_DIR OUT_DIR}
mkdir -p "$out"

for p in imagemagick fonts-dejavu-core; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$p"
    fi
done
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

work=$(mktemp -d "${TMPDIR:-/tmp}/lw-sheets.XXXXXX")
trap 'rm -rf "$work"' EXIT

# column SHOT SCALE LABEL OUT: the shot scaled, a label above it; a phone shot wider than 360 px
# gets a red line where the screen ends.
column() {
    local shot=$1 scale=$2 label=$3 dest=$4 w
    local edge=()
    w=$(identify -format '%w' "$shot")
    if [[ $shot == *-360.png ]] && ((w > 360)); then
        edge=(-stroke '#E00000' -strokewidth 3 -draw 'line 360,0 360,100000' -stroke none)
        label="$label, $w px wide"
    fi
    convert "$shot" "${edge[@]}" -resize "$scale%" -gravity north -background white -splice 0x26 \
        -font "$font" -pointsize 15 -fill black -annotate +0+4 "$label" "$dest"
}

for b in "$before"/[0-9][0-9]-1000.png; do
    nn=$(basename "$b" -1000.png)
    [ -f "$after/$nn-1000.png" ] && [ -f "$before/$nn-360.png" ] && [ -f "$after/$nn-360.png" ] || continue
    column "$before/$nn-1000.png" 30 "before, 1000 px" "$work/a.png"
    column "$after/$nn-1000.png" 30 "after, 1000 px" "$work/b.png"
    column "$before/$nn-360.png" 60 "before, 360 px" "$work/c.png"
    column "$after/$nn-360.png" 60 "after, 360 px" "$work/d.png"
    convert "$work/a.png" "$work/b.png" "$work/c.png" "$work/d.png" -background '#D0D0D0' -gravity west \
        -splice 12x0 -gravity north +append -splice 0x34 -font "$font" -pointsize 20 -annotate +0+6 "Template $nn" \
        -strip -interlace JPEG -sampling-factor 4:2:0 -quality 60 "$out/$nn.jpg"
    echo "$out/$nn.jpg"
done
