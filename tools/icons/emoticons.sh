#!/bin/sh
# Emoticons s_1.gif .. s_24.gif (24x24, transparent background).
# Each is drawn at four times its size on a 96x96 canvas, scaled down and
# given a hard-edged transparency so the GIF stays crisp on any page colour.
# Usage: emoticons.sh OUTDIR
set -eu
out=$1
mkdir -p "$out"
CLEAN="+set date:create +set date:modify -strip"
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

INK='#3A2A00'

# emo N drawing-options...
emo() {
    n=$1; shift
    convert -size 96x96 xc:none "$@" -resize 24x24 \
        -channel A -threshold 50% +channel $CLEAN "$out/s_$n.gif"
}

# 1 smiley
emo 1 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 35,38 6,9 0,360' -draw 'ellipse 61,38 6,9 0,360' \
    -fill none -stroke "$INK" -strokewidth 7 -draw 'arc 24,30 72,74 25,155'

# 2 grin
emo 2 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 35,36 6,9 0,360' -draw 'ellipse 61,36 6,9 0,360' \
    -fill '#6A1A00' -stroke "$INK" -strokewidth 4 -draw "path 'M 22,54 L 74,54 Q 72,84 48,84 Q 24,84 22,54 Z'" \
    -stroke none -fill white -draw 'rectangle 26,56 70,64'

# 3 wink
emo 3 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 61,38 6,9 0,360' \
    -fill none -stroke "$INK" -strokewidth 6 -draw 'arc 26,34 44,46 200,340' \
    -strokewidth 7 -draw 'arc 24,30 72,74 25,155'

# 4 sad
emo 4 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 35,38 6,9 0,360' -draw 'ellipse 61,38 6,9 0,360' \
    -fill none -stroke "$INK" -strokewidth 7 -draw 'arc 28,62 68,90 205,335' \
    -stroke none -fill '#3AA0FF' -draw "path 'M 26,48 Q 20,60 26,64 Q 32,60 26,48 Z'"

# 5 surprised
emo 5 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 34,34 8,11 0,360' -draw 'ellipse 62,34 8,11 0,360' \
    -fill white -draw 'circle 36,30 36,27' -draw 'circle 64,30 64,27' \
    -fill '#6A1A00' -stroke "$INK" -strokewidth 4 -draw 'ellipse 48,68 9,12 0,360'

# 6 cool with sunglasses
emo 6 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill '#111111' -draw 'roundrectangle 14,28 44,48 8,8' -draw 'roundrectangle 52,28 82,48 8,8' \
    -draw 'rectangle 40,30 56,35' \
    -fill '#7A7A7A' -draw 'rectangle 20,32 27,35' -draw 'rectangle 58,32 65,35' \
    -fill none -stroke "$INK" -strokewidth 7 -draw 'arc 28,44 72,74 25,155'

# 7 tongue
emo 7 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 35,38 6,9 0,360' -draw 'ellipse 61,38 6,9 0,360' \
    -fill '#FF5A7A' -stroke '#B0203A' -strokewidth 4 -draw "path 'M 40,60 L 64,60 L 64,72 Q 64,84 52,84 Q 40,84 40,72 Z'" \
    -fill none -stroke "$INK" -strokewidth 7 -draw 'line 26,60 70,60'

# 8 angry
emo 8 -fill '#FF6A3D' -stroke '#9A2A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 35,42 6,7 0,360' -draw 'ellipse 61,42 6,7 0,360' \
    -fill none -stroke "$INK" -strokewidth 7 -draw 'line 22,26 42,34' -draw 'line 74,26 54,34' \
    -draw 'arc 28,64 68,88 205,335'

# 9 laughing
emo 9 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -fill none -stroke "$INK" -strokewidth 6 -draw 'polyline 24,40 34,30 44,40' -draw 'polyline 52,40 62,30 72,40' \
    -fill '#6A1A00' -stroke "$INK" -strokewidth 4 -draw "path 'M 22,52 L 74,52 Q 72,86 48,86 Q 24,86 22,52 Z'" \
    -stroke none -fill '#FF5A7A' -draw 'ellipse 48,76 14,7 0,360' \
    -fill '#3AA0FF' -draw 'ellipse 12,44 6,9 0,360' -draw 'ellipse 84,44 6,9 0,360'

# 10 confused
emo 10 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 35,40 6,8 0,360' -draw 'ellipse 61,40 6,8 0,360' \
    -fill none -stroke "$INK" -strokewidth 6 -draw 'line 26,28 42,30' -draw 'line 54,24 70,18' \
    -strokewidth 7 -draw "path 'M 26,68 Q 37,58 48,68 Q 59,78 70,66'"

# 11 kiss
emo 11 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill "$INK" -draw 'ellipse 33,38 6,9 0,360' \
    -fill none -stroke "$INK" -strokewidth 6 -draw 'arc 54,34 70,46 200,340' \
    -fill '#E0203A' -stroke '#8A0010' -strokewidth 3 -draw 'ellipse 44,68 8,6 0,360' -draw 'ellipse 44,76 7,5 0,360' \
    -stroke none -fill '#FF3050' -draw "path 'M 76,58 Q 70,50 66,56 Q 63,62 76,72 Q 89,62 86,56 Q 82,50 76,58 Z'"

# 12 sleepy
emo 12 -fill '#FFD93B' -stroke '#9A6A00' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -fill none -stroke "$INK" -strokewidth 6 -draw 'arc 24,34 44,48 20,160' -draw 'arc 52,34 72,48 20,160' \
    -fill '#6A1A00' -stroke "$INK" -strokewidth 3 -draw 'ellipse 48,70 6,5 0,360' \
    -stroke none -fill '#2A5ACF' -font "$BOLD" -pointsize 34 -gravity northeast -annotate +0-6 'z'

# 13 heart
emo 13 -fill '#E8203A' -stroke '#8A0010' -strokewidth 5 \
    -draw "path 'M 48,30 C 40,8 6,10 8,38 C 10,58 36,72 48,88 C 60,72 86,58 88,38 C 90,10 56,8 48,30 Z'" \
    -stroke none -fill '#FF9AAA' -draw 'ellipse 26,32 7,5 0,360'

# 14 star
emo 14 -fill '#FFC81E' -stroke '#A06A00' -strokewidth 5 \
    -draw 'polygon 48,6 59,36 91,37 66,57 75,88 48,70 21,88 30,57 5,37 37,36' \
    -stroke none -fill '#FFF0A0' -draw 'polygon 48,22 53,38 44,40'

# 15 thumbs up
emo 15 -fill '#FFCC88' -stroke '#8A5020' -strokewidth 4 \
    -draw "path 'M 34,44 L 46,16 Q 50,8 56,12 Q 60,16 58,26 L 56,40 L 80,40 Q 88,42 86,50 L 80,84 Q 78,88 72,88 L 34,88 Z'" \
    -fill '#3A70D0' -stroke '#1A3A80' -draw 'rectangle 10,42 32,90' \
    -fill none -stroke '#8A5020' -strokewidth 3 -draw 'line 58,56 84,56' -draw 'line 58,70 82,70'

# 16 sun
emo 16 -stroke '#FF9A00' -strokewidth 7 \
    -draw 'line 78,48 92,48' -draw 'line 69,69 79,79' -draw 'line 48,78 48,92' -draw 'line 27,69 17,79' \
    -draw 'line 18,48 4,48' -draw 'line 27,27 17,17' -draw 'line 48,18 48,4' -draw 'line 69,27 79,17' \
    -fill '#FFD21E' -stroke '#E07800' -strokewidth 5 -draw 'circle 48,48 48,24'

# 17 gift
emo 17 -fill '#E02A3A' -stroke '#7A0010' -strokewidth 4 -draw 'rectangle 14,40 82,88' \
    -fill '#F0384A' -draw 'rectangle 8,28 88,42' \
    -stroke none -fill '#FFD21E' -draw 'rectangle 42,28 54,88' \
    -fill none -stroke '#FFD21E' -strokewidth 7 -draw 'ellipse 36,18 12,8 0,360' -draw 'ellipse 60,18 12,8 0,360'

# 18 dollar coin
emo 18 -fill '#2AA84A' -stroke '#0A5A1A' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -fill none -stroke '#8AE0A0' -strokewidth 3 -draw 'circle 48,48 48,15' \
    -stroke none -fill white -font "$BOLD" -pointsize 58 -gravity center -annotate +0+2 '$'

# 19 check mark
emo 19 -fill none -stroke '#0A6A1A' -strokewidth 22 -draw 'polyline 12,50 38,76 86,18' \
    -stroke '#2ACA4A' -strokewidth 12 -draw 'polyline 12,50 38,76 86,18'

# 20 exclamation
emo 20 -fill '#FFD21E' -stroke '#8A5A00' -strokewidth 5 -draw 'polygon 48,6 92,88 4,88' \
    -stroke none -fill '#222222' -draw 'polygon 42,30 54,30 51,64 45,64' -draw 'circle 48,76 48,70'

# 21 question
emo 21 -fill '#2A70E0' -stroke '#0A2A80' -strokewidth 5 -draw 'circle 48,48 48,7' \
    -stroke none -fill white -font "$BOLD" -pointsize 60 -gravity center -annotate +0+2 '?'

# 22 musical note
emo 22 -fill '#222266' -stroke none -draw 'ellipse 30,76 16,11 -20,340' \
    -draw 'rectangle 40,14 48,76' \
    -fill none -stroke '#222266' -strokewidth 8 -draw "path 'M 44,16 Q 60,20 64,32 Q 70,44 78,48'"

# 23 flower
emo 23 -stroke '#2A8A2A' -strokewidth 7 -draw 'line 48,52 48,94' \
    -stroke none -fill '#3AB03A' -draw 'ellipse 62,78 12,6 -30,330' \
    -fill '#FF70B0' -stroke '#B02A6A' -strokewidth 3 \
    -draw 'circle 48,22 48,8' -draw 'circle 65,34 65,20' -draw 'circle 59,55 59,41' \
    -draw 'circle 37,55 37,41' -draw 'circle 31,34 31,20' \
    -fill '#FFD21E' -stroke '#C08000' -draw 'circle 48,40 48,30'

# 24 lightning
emo 24 -fill '#FFE02A' -stroke '#9A6A00' -strokewidth 5 -draw 'polygon 58,4 18,54 44,54 34,92 80,36 52,36 66,4'
