#!/usr/bin/env bash
# Makes the full-size template previews and the template chooser's thumbnails
# with the program itself:
#
#   data/templates/previews/NN.html        the sample ad in template NN, as a web page
#   data/templates/previews/pictures/      the sample photos those pages show
#   data/templates/graphics/N.gif          a 114 px wide screenshot of NN.html
#   data/templates/graphics/N.png          the same, 480 px wide: the catalogue shows it at
#                                          240 px, sharp up to double scale
#
# For every template data/templates/NN.tpt present, the sample ad
# tools/sample-ad/sample.zad is generated in preview mode
# (Listwright --generate --preview) inside a throw-away copy of the
# installation folder with template NN selected and the template's own
# default colours from NN.dat. Picture addresses are made relative to the page,
# the page is wrapped in a complete HTML document, and headless Chromium takes
# the screenshot.
#
# Usage: tools/make-previews.sh [--rebuild] [--photos] [--shots DIR] [NN ...]
#   --rebuild  build the program even when build/bin/Listwright exists
#   --photos   draw the sample photos again even when they exist
#   --shots DIR  also write DIR/NN-375.png and DIR/NN-1000.png, the whole page
#                seen 375 px (a phone) and 1000 px wide
#   NN ...     only these templates (e.g. 01 07); default: every NN.tpt present
#
# Missing Debian packages (chromium, imagemagick, fonts-dejavu-core) are
# installed with apt-get (through sudo when not root). Safe to run again:
# outputs are overwritten, and the same inputs give the same files.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

rebuild=0 photos=0 shots=""
only=()
while (($#)); do
    a=$1
    shift
    case "$a" in
        --rebuild) rebuild=1 ;;
        --photos) photos=1 ;;
        --shots)
            shots=${1:?make-previews: --shots needs a folder}
            shift
            mkdir -p "$shots"
            ;;
        -h | --help) sed -n '2,29p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        [0-9][0-9]) only+=("$a") ;;
        *) echo "make-previews: unknown argument: $a" >&2; exit 2 ;;
    esac
done

say() { printf '%s\n' "$*" >&2; }

# --- Debian packages ---------------------------------------------------------
need=()
for p in chromium imagemagick fonts-dejavu-core; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        need+=("$p")
    fi
done
if ((${#need[@]})); then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    say "Installing: ${need[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}"
fi
browser=""
for b in chromium chromium-browser; do
    if command -v "$b" >/dev/null 2>&1; then browser=$b; break; fi
done
[ -n "$browser" ] || { say "make-previews: chromium not found"; exit 1; }
command -v convert >/dev/null 2>&1 || { say "make-previews: ImageMagick 'convert' not found"; exit 1; }

# --- The program ---------------------------------------------------------------
program="$root/build/bin/Listwright"
if [ "$rebuild" = 1 ] || [ ! -x "$program" ]; then
    # setup.sh installs the build's own packages when they are missing.
    # shellcheck source=scripts/setup.sh disable=SC1091
    source "$root/scripts/setup.sh"
    cmake -S . -B build -G Ninja
    cmake --build build
fi
[ -x "$program" ] || { say "make-previews: $program was not built"; exit 1; }

# --- Working folder --------------------------------------------------------------
work="$(mktemp -d "${TMPDIR:-/tmp}/lw-previews.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# --- Sample photos ---------------------------------------------------------------
sample="$root/tools/sample-ad"
photo_dir="$sample/pictures"
mkdir -p "$photo_dir"

# make_photo K FILE: a drawn still life, a brass desk lamp on a table; the
# background, position, size and direction change with K.
make_photo() {
    local k=$1 out=$2 bt bb tb sh fl
    case $k in
        1) bt='#F4EBDD' bb='#D9C7A8' tb='#7A4E2D' sh='#2F7D4A' fl=0 ;;
        2) bt='#E3ECF5' bb='#AFC3D8' tb='#5C3B22' sh='#2F7D4A' fl=1 ;;
        3) bt='#F6E4E1' bb='#D7AFA8' tb='#6B4A2F' sh='#1F6B3E' fl=0 ;;
        4) bt='#E9F1E4' bb='#B9CFAE' tb='#4F3320' sh='#2F7D4A' fl=1 ;;
        5) bt='#EFE8F5' bb='#C5B5D9' tb='#6E4B2B' sh='#347F55' fl=0 ;;
        6) bt='#FFF6D9' bb='#E8CF8A' tb='#5A3A1F' sh='#2A6E44' fl=1 ;;
        7) bt='#E2F3F3' bb='#A6D1D1' tb='#7A5532' sh='#2F7D4A' fl=0 ;;
        8) bt='#F2F2F2' bb='#BDBDBD' tb='#4A2F1B' sh='#25603B' fl=1 ;;
        9) bt='#FDEBD7' bb='#F0B988' tb='#6A4428' sh='#2F7D4A' fl=0 ;;
        *) bt='#E6E9F7' bb='#A9B0D6' tb='#5E3D24' sh='#2B7347' fl=1 ;;
    esac
    local x=$((150 + (k * 29) % 150))  # base centre
    if [ "$fl" = 1 ]; then x=$((x + 190)); fi
    local s=$((125 + (k * 17) % 40))   # scale, percent
    local brass='#C9A13B' dark='#8A6A1E' light='#F3D98A'
    sc() { echo $(($1 * s / 100)); }
    local by=425 bw bh top dx hx hy sw sd mx my
    bw=$(sc 78) bh=$(sc 16)
    top=$((by - $(sc 170)))
    dx=$(sc 95)
    if [ "$fl" = 1 ]; then dx=$((-dx)); fi
    hx=$((x + dx)) hy=$((top - $(sc 40)))
    sw=$(sc 70) sd=$(sc 62)
    mx=$((hx + dx / 4)) my=$((hy + sd))
    convert -size 640x480 "gradient:$bt-$bb" \
        -fill "$tb" -draw "rectangle 0,392 640,480" \
        -fill '#00000022' -draw "rectangle 0,392 640,398" \
        -fill '#00000040' -draw "ellipse $x,$((by + 10)) $((bw + 18)),$((bh / 2 + 6)) 0,360" \
        -fill '#FFF6C833' -draw "polygon $((mx - sw + 6)),$my $((mx + sw - 6)),$my $((mx + sw * 2)),$((by + 30)) $((mx - sw * 2)),$((by + 30))" \
        -fill '#FFF6C840' -draw "ellipse $mx,$((by + 22)) $((sw * 2)),$(sc 14) 0,360" \
        -stroke "$dark" -strokewidth 2 -fill "$brass" \
        -draw "ellipse $x,$by $bw,$bh 0,360" \
        -draw "ellipse $x,$((by - 8)) $((bw - 14)),$((bh - 4)) 0,360" \
        -stroke "$brass" -strokewidth "$(sc 12)" -fill none \
        -draw "polyline $x,$((by - 10)) $x,$top $hx,$hy" \
        -stroke "$dark" -strokewidth 2 -fill "$brass" \
        -draw "circle $x,$top $((x + $(sc 9))),$top" \
        -draw "circle $hx,$hy $((hx + $(sc 8))),$hy" \
        -fill "$sh" -stroke '#10301C' -strokewidth 2 \
        -draw "polygon $((hx - $(sc 18))),$((hy - 4)) $((hx + $(sc 18))),$((hy - 4)) $((mx + sw)),$my $((mx - sw)),$my" \
        -fill "$light" -stroke "$dark" \
        -draw "ellipse $mx,$my $sw,$(sc 10) 0,360" \
        -fill '#FFFFFF' -stroke none -draw "ellipse $mx,$((my + 2)) $(sc 22),$(sc 6) 0,360" \
        -fill '#FFFFFF66' -draw "polygon $((hx - $(sc 10))),$((hy + 4)) $((hx - $(sc 4))),$((hy + 4)) $((mx - sw + $(sc 26))),$((my - 6)) $((mx - sw + $(sc 12))),$((my - 6))" \
        -strip +set date:create +set date:modify -quality 88 "$out"
}

for k in 1 2 3 4 5 6 7 8 9 10; do
    if [ "$photos" = 1 ] || [ ! -s "$photo_dir/photo$k.jpg" ]; then
        make_photo "$k" "$photo_dir/photo$k.jpg"
    fi
done

# --- Helpers for the CR LF data files ---------------------------------------
# set_line FILE N VALUE: line N of FILE becomes VALUE (CR LF kept).
set_line() {
    LW_VALUE="$3" awk -v n="$2" 'BEGIN { RS = "\r\n"; ORS = "\r\n" } NR == n { $0 = ENVIRON["LW_VALUE"] } { print }' \
        "$1" >"$1.new"
    mv "$1.new" "$1"
}
# get_line FILE N: line N of FILE without its line end.
get_line() {
    awk -v n="$2" 'BEGIN { RS = "\n" } NR == n { sub(/\r$/, ""); print; exit }' "$1"
}
# sed_escape TEXT: TEXT as a literal in a sed pattern or replacement with "|" as separator.
sed_escape() {
    printf '%s' "$1" | sed -e 's/[]\/$*.^|&[]/\\&/g'
}

# --- Templates -----------------------------------------------------------------------
out_dir="$root/data/templates/previews"
thumb_dir="$root/data/templates/graphics"
mkdir -p "$out_dir/pictures" "$thumb_dir"
cp "$photo_dir"/photo*.jpg "$out_dir/pictures/"

if ((${#only[@]})); then
    numbers=("${only[@]}")
else
    numbers=()
    for t in "$root"/data/templates/[0-9][0-9].tpt; do
        [ -e "$t" ] || continue
        b=$(basename "$t" .tpt)
        numbers+=("$b")
    done
fi
((${#numbers[@]})) || { say "make-previews: no templates found in data/templates"; exit 1; }

made=() failed=()
for nn in "${numbers[@]}"; do
    n=$((10#$nn))
    if [ ! -f "$root/data/templates/$nn.tpt" ]; then
        say "template $nn: data/templates/$nn.tpt is missing"
        failed+=("$nn")
        continue
    fi

    # A fresh installation folder.
    H="$work/home-$nn"
    rm -rf "$H"
    mkdir -p "$H"
    cp -r "$root"/data/* "$H/"
    rm -rf "$H/templates/previews"

    # The template's position in the program's list (the *.tpt files by name).
    index=$(cd "$H/templates" && printf '%s\n' *.tpt | LC_ALL=C sort -f | awk -v f="$nn.tpt" '$0 == f { print NR - 1; exit }')

    if [ -z "$index" ]; then
        say "template $nn: not found in the copied templates folder"
        failed+=("$nn")
        continue
    fi

    # First start: creates settings.txt; then the sample seller's preferences.
    LISTWRIGHT_HOME="$H" "$program" --generate --preview >/dev/null 2>"$work/first-$nn.log" || true
    settings="$H/settings.txt"
    if [ ! -f "$settings" ]; then
        say "template $nn: the program did not create settings.txt"
        cat "$work/first-$nn.log" >&2
        failed+=("$nn")
        continue
    fi
    set_line "$settings" 1 "sampleseller"
    set_line "$settings" 2 "seller@example.com"
    set_line "$settings" 3 "https://www.example.com"
    set_line "$settings" 4 "Payment within 7 days.<BR>Ships in 2 business days."
    set_line "$settings" 6 " $index "
    set_line "$settings" 7 " 1 "  # e-mail link
    set_line "$settings" 8 " 1 "  # website link
    set_line "$settings" 9 " 1 "  # other auctions link
    set_line "$settings" 10 " 0 " # on eBay
    set_line "$settings" 11 " 0 " # Arial
    set_line "$settings" 13 " 1 " # About Me link
    set_line "$settings" 22 " 1 " # shipping calculator
    set_line "$settings" 23 "10001"
    set_line "$settings" 25 "True" # USPS
    set_line "$settings" 26 "False"
    set_line "$settings" 39 "True" # the website notice was shown

    # The sample ad with this template, its default look and the photos' absolute paths.
    zad="$work/sample-$nn.zad"
    cp "$sample/sample.zad" "$zad"
    for k in 1 2 3 4 5 6 7 8 9 10; do
        set_line "$zad" $((14 + k)) "$photo_dir/photo$k.jpg"
    done
    set_line "$zad" 41 " $index "
    dat="$root/data/templates/$nn.dat"
    if [ -f "$dat" ] && [ "$(awk 'END { print NR }' "$dat")" -ge 34 ]; then
        num() { local v; v=$(get_line "$dat" "$1" | tr -d ' '); printf ' %s ' "${v:-0}"; }
        set_line "$zad" 4 "$(num 3)"   # title colour
        set_line "$zad" 5 "$(num 5)"   # sub-title colour
        set_line "$zad" 6 "$(num 7)"   # description colour
        set_line "$zad" 7 "$(get_line "$dat" 31 | tr -d ' ')"
        set_line "$zad" 8 "$(get_line "$dat" 32 | tr -d ' ')"
        set_line "$zad" 9 "$(get_line "$dat" 33 | tr -d ' ')"
        set_line "$zad" 25 "0"
        for t in 1 2 3 4; do
            v=$(get_line "$dat" $((10 + 4 * t)) | tr -d ' ')
            set_line "$zad" $((25 + t)) "${v:-0}"                               # table colour
            set_line "$zad" $((31 + t)) "$(get_line "$dat" $((8 + 4 * t)))"     # table texture
            set_line "$zad" $((36 + t)) "$(num $((7 + 4 * t)))"                 # use texture
        done
        set_line "$zad" 30 "$(num 9)"                   # optional block colour
        set_line "$zad" 31 "$(get_line "$dat" 10)"      # page background
        set_line "$zad" 36 " 0 "
    else
        say "template $nn: no usable $nn.dat; the sample's own colours are used"
    fi

    fragment="$work/$nn.fragment.html"
    if ! LISTWRIGHT_HOME="$H" "$program" --generate --preview "$zad" >"$fragment" 2>"$work/gen-$nn.log"; then
        say "template $nn: generation failed"
        cat "$work/gen-$nn.log" >&2
        failed+=("$nn")
        continue
    fi
    if [ -s "$work/gen-$nn.log" ]; then
        sed "s/^/template $nn: /" "$work/gen-$nn.log" >&2
    fi

    # Addresses relative to data/templates/previews/NN.html.
    page="$out_dir/$nn.html"
    {
        printf '<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>Template %s</title>' "$nn"
        printf '<meta name="viewport" content="width=device-width, initial-scale=1"></head><body>\n'
        sed -e "s|$(sed_escape "$photo_dir/")|pictures/|g" \
            -e "s|$(sed_escape "$H/")|../../|g" \
            "$fragment"
        printf '\n</body></html>\n'
    } >"$page.new"
    mv "$page.new" "$page"
    if grep -q -e "$work" -e "$root" "$page"; then
        say "template $nn: warning: $nn.html still holds an absolute address"
    fi

    # The thumbnail.
    shot="$work/$nn.png"
    rm -f "$shot"
    timeout 180 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
        --disable-component-update --no-first-run --user-data-dir="$work/chromium-$nn" \
        --hide-scrollbars --window-size=1000,750 --screenshot="$shot" "file://$page" \
        >"$work/chromium-$nn.log" 2>&1 || true
    if [ ! -s "$shot" ]; then
        say "template $nn: the screenshot failed"
        cat "$work/chromium-$nn.log" >&2
        failed+=("$nn")
        continue
    fi
    convert "$shot" -resize 114x -strip +set date:create +set date:modify "$thumb_dir/$n.gif"
    convert "$shot" -filter Lanczos -resize 480x -strip +set date:create +set date:modify \
        -define png:exclude-chunks=date,time "PNG24:$thumb_dir/$n.png"
    if [ -n "$shots" ]; then
        for w in 375 1000; do
            # Headless Chromium lays a page out at least 500 px wide whatever the window, so the
            # page is seen through a frame exactly w px wide, as a phone would show it; what is
            # wider than the frame is cut off at its right edge, as on the phone's screen.
            frame="$work/$nn-$w-frame.html"
            printf '<!DOCTYPE html><html><body style="margin:0"><iframe src="%s" scrolling="no" style="display:block;border:0;width:%spx;height:6000px"></iframe><script>onload=()=>{const d=frames[0].document.documentElement;document.body.dataset.wide=d.scrollWidth}</script></body></html>\n' \
                "file://$page" "$w" >"$frame"
            full="$work/$nn-$w.png"
            rm -f "$full"
            window=$((w < 600 ? 600 : w))
            timeout 180 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
                --disable-component-update --no-first-run --user-data-dir="$work/chromium-$nn" \
                --hide-scrollbars --window-size="$window,6000" --screenshot="$full" "file://$frame" \
                >"$work/chromium-$nn-$w.log" 2>&1 || true
            if [ -s "$full" ]; then
                # Down to the end of the page: the last row that is not the blank below it.
                convert "$full" -crop "${w}x6000+0+0" +repage "$full"
                bottom=$(convert "$full" -trim -format '%[fx:page.y+h]' info: 2>/dev/null || echo 6000)
                convert "$full" -crop "${w}x$((bottom + 16))+0+0" +repage -strip "$shots/$nn-$w.png"
            else
                say "template $nn: the $w px screenshot failed"
            fi
            wide=$(timeout 180 "$browser" --headless --no-sandbox --disable-gpu --allow-file-access-from-files \
                --no-first-run --user-data-dir="$work/chromium-$nn" --window-size="$window,800" \
                --virtual-time-budget=5000 --dump-dom "file://$frame" 2>/dev/null |
                sed -n 's/.*data-wide="\([0-9]*\)".*/\1/p' | head -n 1)
            if [ -n "$wide" ] && [ "$wide" -gt "$w" ]; then
                say "template $nn: $wide px wide, wider than a $w px screen"
            fi
        done
    fi
    made+=("$nn")
    say "template $nn: previews/$nn.html, graphics/$n.gif, graphics/$n.png"
done

say "made: ${made[*]:-none}"
if ((${#failed[@]})); then
    say "failed: ${failed[*]}"
    exit 1
fi
