#!/bin/sh
# Program pictures: the program icon's small PNG, the ad-file icon and the two
# carrier badges. (The toolbar, markup and paging buttons and the orientation
# frame are drawn by hand as SVG in data/graphics/*.svg.) Everything is drawn at
# four times its size with ImageMagick primitives and scaled down.
# Usage: graphics.sh GRAPHICSDIR ICONSDIR ICOFILE
set -eu
gfx=$1 icons=$2 ico=$3
mkdir -p "$gfx" "$icons"
CLEAN="+set date:create +set date:modify -strip"
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
SERIF=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf

# png FILE WxH drawing-options...   (the canvas is four times WxH)
png() {
    file=$1 geo=$2; shift 2
    w=${geo%x*} h=${geo#*x}
    convert -size $((w * 4))x$((h * 4)) xc:none "$@" -resize "${w}x${h}!" \
        $CLEAN "PNG32:$gfx/$file"
}

# --- Program icon, 64x64: a price tag with a pen -------------------------------
png Listwright.png 64x64 \
    -fill '#F08A24' -stroke '#8A4A08' -strokewidth 8 \
    -draw 'polygon 20,120 120,20 220,20 236,36 236,136 136,236 120,236' \
    -fill white -draw 'circle 196,60 196,46' \
    \( -size 256x256 xc:none -stroke none -fill white -font "$BOLD" -pointsize 76 -gravity center \
       -annotate 315x315-34-26 '$' \) -compose Over -composite \
    -stroke '#1A2A4A' -strokewidth 4 -fill '#2A5AD0' -draw 'polygon 58,244 70,196 200,66 226,92 96,222' \
    -fill '#F4D8A8' -draw 'polygon 58,244 70,196 96,222' -fill '#1A2A4A' -draw 'polygon 58,244 62,228 74,240' \
    -fill '#C0C8D8' -draw 'polygon 200,66 212,54 238,80 226,92'

# --- Ad-file icon: a page with a price tag, 32x32 and 16x16 in one ICO, 48x48 as
# the PNG the desktop shows ad files with ---------------------------------------
convert -size 128x128 xc:none \
    -fill white -stroke '#4A5A6A' -strokewidth 6 -draw "path 'M 20,6 L 80,6 L 108,34 L 108,122 L 20,122 Z'" \
    -fill '#D8E2EC' -draw "path 'M 80,6 L 80,34 L 108,34'" \
    -stroke '#9AAAC0' -strokewidth 5 -draw 'line 34,30 66,30' -draw 'line 34,46 92,46' \
    -fill '#F08A24' -stroke '#8A4A08' -strokewidth 5 \
    -draw 'polygon 30,96 66,60 98,60 98,92 62,128 52,128 30,106' \
    -fill white -draw 'circle 84,74 84,68' \
    -write mpr:I +delete \
    \( mpr:I -resize 48x48 $CLEAN -write "PNG32:$gfx/extIcon.png" +delete \) \
    \( mpr:I -resize 32x32 \) \( mpr:I -resize 16x16 \) $CLEAN "ICO:$ico"

# --- Carrier badges, 53x52 GIF -------------------------------------------------
gif() {
    file=$1; shift
    convert -size 212x208 xc:none "$@" -resize '53x52!' \
        -channel A -threshold 50% +channel $CLEAN "$icons/$file"
}
gif usps.gif \
    -fill '#1F4E9A' -stroke '#0A2456' -strokewidth 8 -draw 'roundrectangle 6,6 205,201 36,36' \
    -fill none -stroke white -strokewidth 6 -draw 'roundrectangle 20,20 191,187 26,26' \
    -fill white -stroke none -draw 'rectangle 56,40 156,104' \
    -fill none -stroke '#1F4E9A' -strokewidth 7 -draw 'polyline 58,44 106,80 154,44' \
    -stroke none -fill white -font "$BOLD" -pointsize 48 -gravity south -annotate +0+36 'USPS'
gif ups.gif \
    -fill '#5A3A1E' -stroke '#2A1808' -strokewidth 8 -draw 'roundrectangle 6,6 205,201 60,60' \
    -fill none -stroke '#E8B020' -strokewidth 6 -draw 'roundrectangle 22,22 189,185 46,46' \
    -stroke '#7A5020' -strokewidth 5 -fill '#C8964A' -draw 'polygon 70,60 106,44 142,60 142,100 106,116 70,100' \
    -fill '#E0B068' -draw 'polygon 70,60 106,44 142,60 106,76' -draw 'line 106,76 106,116' \
    -stroke none -fill '#E8B020' -font "$BOLD" -pointsize 60 -gravity south -annotate +0+30 'UPS'
