#!/bin/sh
# Program pictures: toolbar and markup buttons, paging arrows, the program
# icon, the ad-file icon and the two carrier badges. Everything is drawn at
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

# Shared pieces (96x96 canvas).
PAGE="path 'M 18,6 L 58,6 L 78,26 L 78,90 L 18,90 Z'"
FOLD="path 'M 58,6 L 58,26 L 78,26'"

# --- Toolbar, 24x24 ----------------------------------------------------------
png NewFile.png 24x24 \
    -fill white -stroke '#5A6A7A' -strokewidth 4 -draw "$PAGE" -fill '#DDE6EE' -draw "$FOLD" \
    -stroke '#E0A000' -strokewidth 6 -draw 'line 70,52 70,80' -draw 'line 56,66 84,66' \
    -draw 'line 60,56 80,76' -draw 'line 80,56 60,76'

png OpenFile.png 24x24 \
    -fill '#D9A030' -stroke '#7A5010' -strokewidth 4 \
    -draw "path 'M 6,20 L 34,20 L 42,28 L 82,28 L 82,82 L 6,82 Z'" \
    -fill '#FFD060' -draw "path 'M 20,42 L 92,42 L 80,82 L 6,82 Z'"

png SaveFile.png 24x24 \
    -fill '#2A5AB0' -stroke '#102A60' -strokewidth 4 -draw "path 'M 8,8 L 76,8 L 88,20 L 88,88 L 8,88 Z'" \
    -stroke none -fill '#E8EEF6' -draw 'rectangle 22,12 70,38' -fill '#2A5AB0' -draw 'rectangle 54,16 64,34' \
    -fill white -draw 'rectangle 20,52 76,84' \
    -stroke '#9AAAC0' -strokewidth 3 -draw 'line 28,62 68,62' -draw 'line 28,72 68,72'

png Cut.png 24x24 \
    -fill none -stroke '#555555' -strokewidth 7 -draw 'line 26,8 62,66' -draw 'line 70,8 34,66' \
    -stroke '#C02020' -strokewidth 7 -draw 'circle 28,76 28,64' -draw 'circle 68,76 68,64'

png Copy.png 24x24 \
    -fill white -stroke '#5A6A7A' -strokewidth 4 -draw 'rectangle 10,6 58,66' \
    -stroke '#9AAAC0' -strokewidth 3 -draw 'line 18,20 50,20' -draw 'line 18,32 50,32' -draw 'line 18,44 50,44' \
    -fill white -stroke '#2A5AB0' -strokewidth 4 -draw 'rectangle 38,30 86,90' \
    -stroke '#7AA0E0' -strokewidth 3 -draw 'line 46,44 78,44' -draw 'line 46,56 78,56' -draw 'line 46,68 78,68'

png Paste.png 24x24 \
    -fill '#B07A3A' -stroke '#5A3A10' -strokewidth 4 -draw 'roundrectangle 12,12 84,90 8,8' \
    -fill '#E8E8E8' -stroke '#666666' -draw 'roundrectangle 32,4 64,22 4,4' \
    -fill white -stroke '#5A6A7A' -strokewidth 3 -draw 'rectangle 24,28 72,82' \
    -stroke '#9AAAC0' -draw 'line 32,42 64,42' -draw 'line 32,54 64,54' -draw 'line 32,66 56,66'

png LoadTemplate.png 24x24 \
    -fill white -stroke '#5A6A7A' -strokewidth 4 -draw 'rectangle 8,6 70,88' \
    -stroke none -fill '#3A78D0' -draw 'rectangle 14,12 64,26' \
    -fill '#9AC0F0' -draw 'rectangle 14,32 36,50' -draw 'rectangle 42,32 64,50' \
    -fill '#C8D4E0' -draw 'rectangle 14,58 64,62' -draw 'rectangle 14,68 64,72' -draw 'rectangle 14,78 50,82' \
    -fill '#2AA84A' -stroke '#0A5A1A' -strokewidth 3 \
    -draw 'polygon 72,40 88,40 88,62 96,62 80,86 64,62 72,62'

png InsertPictures.png 24x24 \
    -fill '#F4F4F4' -stroke '#5A6A7A' -strokewidth 4 -draw 'rectangle 6,14 90,82' \
    -stroke none -fill '#9AD0F8' -draw 'rectangle 14,22 82,74' \
    -fill '#FFD21E' -draw 'circle 66,36 66,28' \
    -fill '#2A9A3A' -draw 'polygon 14,74 38,40 58,74' -fill '#4AC05A' -draw 'polygon 40,74 60,50 82,74'

png CustomizeTemplate.png 24x24 \
    -fill '#E8C890' -stroke '#7A5A20' -strokewidth 4 \
    -draw "path 'M 48,8 C 78,8 92,28 90,48 C 88,62 74,60 66,64 C 58,68 66,80 58,86 C 50,92 8,88 6,50 C 4,24 22,8 48,8 Z'" \
    -stroke none -fill '#D02020' -draw 'circle 30,30 30,22' -fill '#2AA84A' -draw 'circle 54,24 54,16' \
    -fill '#2A5AD0' -draw 'circle 74,40 74,32' -fill '#F0C000' -draw 'circle 24,56 24,48'

png AdPreferences.png 24x24 \
    -fill none -stroke '#5A6A7A' -strokewidth 16 -draw 'stroke-dasharray 12 10.6 circle 48,48 48,14' \
    -fill '#8A9AAA' -stroke '#3A4A5A' -strokewidth 4 -draw 'circle 48,48 48,18' \
    -fill white -draw 'circle 48,48 48,36'

png CheckSpelling.png 24x24 \
    -fill '#2A3A5A' -font "$BOLD" -pointsize 40 -gravity north -annotate +0+0 'ABC' -gravity northwest \
    -fill none -stroke '#0A6A1A' -strokewidth 14 -draw 'polyline 22,64 40,82 78,44' \
    -stroke '#2ACA4A' -strokewidth 7 -draw 'polyline 22,64 40,82 78,44'

png PreviewAd.png 24x24 \
    -fill white -stroke '#5A6A7A' -strokewidth 4 -draw "$PAGE" -fill '#DDE6EE' -draw "$FOLD" \
    -stroke '#6A4A2A' -strokewidth 12 -draw 'line 60,62 88,90' \
    -fill '#CDE6FF' -stroke '#2A5AB0' -strokewidth 7 -draw 'circle 44,48 44,26'

png GenerateAd.png 24x24 \
    -fill white -stroke '#5A6A7A' -strokewidth 4 -draw "$PAGE" -fill '#DDE6EE' -draw "$FOLD" \
    -stroke '#9AAAC0' -strokewidth 3 -draw 'line 28,30 52,30' -draw 'line 28,42 66,42' \
    -stroke '#3A2A1A' -strokewidth 9 -draw 'line 40,88 74,54' \
    -stroke none -fill '#FFC81E' -draw 'polygon 80,26 84,40 96,44 84,48 80,62 76,48 64,44 76,40' \
    -fill '#FFE070' -draw 'polygon 58,50 60,56 66,58 60,60 58,66 56,60 50,58 56,56'

png SubmitAd.png 24x24 \
    -fill '#E8F0FF' -stroke '#1A4A9A' -strokewidth 4 -draw 'polygon 4,44 92,8 66,88 46,60' \
    -fill '#9AB8E8' -draw 'polygon 46,60 92,8 36,86'

# --- Small buttons, 16x16 ----------------------------------------------------
png ArrowLeft.png 16x16 \
    -fill '#2A6AD0' -stroke '#0A2A70' -strokewidth 4 -draw 'polygon 10,32 46,8 46,56'
png ArrowRight.png 16x16 \
    -fill '#2A6AD0' -stroke '#0A2A70' -strokewidth 4 -draw 'polygon 54,32 18,8 18,56'
png PasteButton.png 16x16 \
    -fill '#B07A3A' -stroke '#5A3A10' -strokewidth 4 -draw 'roundrectangle 8,8 56,60 6,6' \
    -fill '#E8E8E8' -stroke '#555555' -draw 'rectangle 20,3 44,14' \
    -fill white -stroke '#5A6A7A' -strokewidth 3 -draw 'rectangle 16,20 48,54'
png Superscript.png 16x16 \
    -fill '#222222' -font "$SERIF" -pointsize 56 -gravity southwest -annotate +0-4 'x' \
    -fill '#C02020' -pointsize 32 -gravity northeast -annotate +0-4 '2'
png Subscript.png 16x16 \
    -fill '#222222' -font "$SERIF" -pointsize 56 -gravity northwest -annotate +0-8 'x' \
    -fill '#C02020' -pointsize 32 -gravity southeast -annotate +0-6 '2'
png AlignLeft.png 16x16 -fill '#2A3A5A' \
    -draw 'rectangle 4,8 60,13' -draw 'rectangle 4,20 42,25' -draw 'rectangle 4,32 60,37' -draw 'rectangle 4,44 36,49'
png AlignCenter.png 16x16 -fill '#2A3A5A' \
    -draw 'rectangle 4,8 60,13' -draw 'rectangle 14,20 50,25' -draw 'rectangle 4,32 60,37' -draw 'rectangle 18,44 46,49'
png AlignRight.png 16x16 -fill '#2A3A5A' \
    -draw 'rectangle 4,8 60,13' -draw 'rectangle 22,20 60,25' -draw 'rectangle 4,32 60,37' -draw 'rectangle 28,44 60,49'
png Hyperlink.png 16x16 \
    -fill none -stroke '#1A5AC0' -strokewidth 6 \
    -draw 'roundrectangle 4,22 36,42 10,10' -draw 'roundrectangle 28,22 60,42 10,10' \
    -stroke '#0A2A70' -strokewidth 4 -draw 'line 6,56 58,56'
png InsertImage.png 16x16 \
    -fill '#F4F4F4' -stroke '#5A6A7A' -strokewidth 4 -draw 'rectangle 3,8 60,56' \
    -stroke none -fill '#9AD0F8' -draw 'rectangle 8,13 55,51' -fill '#FFD21E' -draw 'circle 44,22 44,17' \
    -fill '#2A9A3A' -draw 'polygon 8,51 24,28 40,51' -fill '#4AC05A' -draw 'polygon 28,51 42,36 55,51'

# --- Orientation, 24x18: a landscape picture frame -----------------------------
png Orientation.png 24x18 \
    -fill '#C89050' -stroke '#6A4010' -strokewidth 4 -draw 'rectangle 2,2 93,69' \
    -stroke none -fill '#9AD0F8' -draw 'rectangle 12,12 83,59' -fill '#FFD21E' -draw 'circle 68,24 68,18' \
    -fill '#2A9A3A' -draw 'polygon 12,59 36,30 58,59' -fill '#4AC05A' -draw 'polygon 40,59 60,40 83,59'

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
