#!/bin/sh
# Renders the icons an installation gives the desktop, under packaging/icons/hicolor/:
#   apps/listwright.png             the program icon, 16 to 256 pixels
#   scalable/apps/listwright.svg    the program icon itself, when it is an SVG
#   mimetypes/application-x-listwright.png   the ad-file icon, 16 to 48 pixels
# from data/graphics/Listwright.svg (rsvg-convert) when there is one, else from
# data/graphics/Listwright.png (ImageMagick, never enlarged), and data/graphics/extIcon.png.
# Run it again whenever the program icon changes. The outputs are committed.
#
# Usage: tools/make-desktop-icons.sh
set -eu

here=$(cd "$(dirname "$0")" && pwd)
graphics="$here/../data/graphics"
out="$here/../packaging/icons/hicolor"

need=""
command -v convert >/dev/null 2>&1 || need="$need imagemagick"
if [ -f "$graphics/Listwright.svg" ]; then
    command -v rsvg-convert >/dev/null 2>&1 || need="$need librsvg2-bin"
fi
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

# Same bytes on every run: no dates or other metadata in the PNG files.
png() { # png SOURCE SIZE TARGET
    mkdir -p "$(dirname "$3")"
    convert "$1" -background none -resize "$2x$2" -gravity center -extent "$2x$2" -strip \
        -define png:exclude-chunks=date,time "PNG32:$3"
}

rm -rf "$out"
if [ -f "$graphics/Listwright.svg" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    for s in 16 22 24 32 48 64 128 256; do
        rsvg-convert -w "$s" -h "$s" -o "$work/$s.png" "$graphics/Listwright.svg"
        png "$work/$s.png" "$s" "$out/${s}x$s/apps/listwright.png"
    done
    mkdir -p "$out/scalable/apps"
    cp "$graphics/Listwright.svg" "$out/scalable/apps/listwright.svg"
else
    largest=$(identify -format '%w' "$graphics/Listwright.png")
    for s in 16 22 24 32 48 64 128 256; do
        [ "$s" -le "$largest" ] || continue
        png "$graphics/Listwright.png" "$s" "$out/${s}x$s/apps/listwright.png"
    done
fi
for s in 16 22 24 32 48; do
    png "$graphics/extIcon.png" "$s" "$out/${s}x$s/mimetypes/application-x-listwright.png"
done
echo "icons written under $out"
