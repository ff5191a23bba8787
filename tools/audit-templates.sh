#!/usr/bin/env bash
# Lays out every template's ad as a phone (360 CSS px, device-width viewport) and a desktop
# (1000 px) show it in Chromium, says how wide each lays out, and audits it with axe-core's
# accessibility rules.
#
# The ad is the hard case for a phone: a 70-character title, a description with a 40-character
# word that cannot be broken (a part number), every picture the template shows at the thumbnail
# size asked for, the optional information, and otherwise the first-run preferences. Each
# template has its own default colours from its data file.
#
# Usage: tools/audit-templates.sh [--thumb WxH] [--extras] [--templates DIR] [--shots DIR] [NN ...]
#   --thumb WxH      thumbnail size of the pictures (default 200x150, the program's default)
#   --extras         also the contact links and the USPS shipping calculator
#   --templates DIR  take the NN.tpt and NN.dat files from DIR instead of data/templates
#                    (to compare with an older catalogue)
#   --shots DIR      write DIR/NN-360.png and DIR/NN-1000.png, the whole page at each width
#   NN ...           only these templates; default: every data/templates/NN.tpt
#
# Prints a line per template and width: the width the page lays out at, the ad's own width (its
# widest box narrower than the view) and rows of pictures, a score (the share of applicable axe
# rules it passes, weighted by impact) and the rules it fails with their counts;
# then every failure of the rules image-alt, link-name, color-contrast and table-fake-caption in
# detail. The exit status is 1 when a page is wider than 360 px at 360 px or fails one of those
# four rules.
#
# Needs build/bin/Listwright (built when missing), Debian's chromium and npm, and from the npm
# registry axe-core and puppeteer-core (installed into ~/.cache/listwright-tools; puppeteer-core
# drives the Debian chromium and downloads no browser of its own).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

thumb=200x150 extras=0 tdir="$root/data/templates" shots=""
only=()
while (($#)); do
    a=$1
    shift
    case "$a" in
        --thumb) thumb=${1:?--thumb needs WxH}; shift ;;
        --extras) extras=1 ;;
        --templates) tdir=$(cd "${1:?--templates needs a folder}" && pwd); shift ;;
        --shots) shots=${1:?--shots needs a folder}; shift; mkdir -p "$shots"; shots=$(cd "$shots" && pwd) ;;
        -h | --help) sed -n '2,27p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        [0-9][0-9]) only+=("$a") ;;
        *) echo "audit-templates: unknown argument: $a" >&2; exit 2 ;;
    esac
done
[[ $thumb =~ ^([0-9]+)x([0-9]+)$ ]] || { echo "audit-templates: --thumb wants WxH" >&2; exit 2; }
tw=${BASH_REMATCH[1]} th=${BASH_REMATCH[2]}

say() { printf '%s\n' "$*" >&2; }

# --- Debian packages and the npm modules -------------------------------------------
need=()
for p in chromium npm fonts-dejavu-core; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        # A node from elsewhere may bring its own npm.
        if [ "$p" = npm ] && command -v npm >/dev/null 2>&1; then continue; fi
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
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { say "audit-templates: chromium not found"; exit 1; }

modules="${XDG_CACHE_HOME:-$HOME/.cache}/listwright-tools"
if [ ! -f "$modules/node_modules/axe-core/axe.min.js" ] || [ ! -d "$modules/node_modules/puppeteer-core" ]; then
    mkdir -p "$modules"
    say "Installing axe-core and puppeteer-core into $modules"
    (cd "$modules" && PUPPETEER_SKIP_DOWNLOAD=1 npm install --no-audit --no-fund --silent \
        axe-core@4.10 puppeteer-core@24 >/dev/null)
fi

# --- The program ---------------------------------------------------------------------
program="$root/build/bin/Listwright"
if [ ! -x "$program" ]; then
    # shellcheck source=scripts/setup.sh disable=SC1091
    source "$root/scripts/setup.sh"
    cmake -S . -B build -G Ninja
    cmake --build build
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/lw-audit.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# --- Helpers for the CR LF data files (as tools/make-previews.sh) ------------------
set_line() {
    LW_VALUE="$3" awk -v n="$2" 'BEGIN { RS = "\r\n"; ORS = "\r\n" } NR == n { $0 = ENVIRON["LW_VALUE"] } { print }' \
        "$1" >"$1.new"
    mv "$1.new" "$1"
}
get_line() {
    awk -v n="$2" 'BEGIN { RS = "\n" } NR == n { sub(/\r$/, ""); print; exit }' "$1"
}

photos="$root/tools/sample-ad/pictures"
title="Vintage Brass Desk Lamp, Green Glass Shade, Rewired And Fully Working!"
word="BL1955BRASSDESKLAMPGREENGLASSSHADE0042X7"
description="A handsome <b>solid brass desk lamp</b> from the 1950s with its original green glass shade.<BR>Maker's part number $word, stamped under the base. It has been rewired with a new cloth cord and works as it should."
((${#title} == 70 && ${#word} == 40)) || { say "audit-templates: the sample title or word has the wrong length"; exit 1; }

if ((${#only[@]})); then
    numbers=("${only[@]}")
else
    numbers=()
    for t in "$root"/data/templates/[0-9][0-9].tpt; do numbers+=("$(basename "$t" .tpt)"); done
fi

pages=()
for nn in "${numbers[@]}"; do
    H="$work/home-$nn"
    mkdir -p "$H"
    cp -r "$root"/data/* "$H/"
    rm -rf "$H/templates/previews"
    cp "$tdir/$nn.tpt" "$tdir/$nn.dat" "$H/templates/"
    index=$(cd "$H/templates" && printf '%s\n' *.tpt | LC_ALL=C sort -f | awk -v f="$nn.tpt" '$0 == f { print NR - 1; exit }')
    LISTWRIGHT_HOME="$H" "$program" --generate --preview >/dev/null 2>&1 || true
    settings="$H/settings.txt"
    [ -f "$settings" ] || { say "template $nn: no settings.txt was made"; exit 1; }
    set_line "$settings" 6 " $index "
    set_line "$settings" 39 "True"
    if [ "$extras" = 1 ]; then
        set_line "$settings" 1 "sampleseller"
        set_line "$settings" 2 "seller@example.com"
        set_line "$settings" 3 "https://www.example.com"
        for l in 7 8 9 13 22; do set_line "$settings" $l " 1 "; done
        set_line "$settings" 23 "10001"
    fi

    dat="$tdir/$nn.dat"
    count=$(get_line "$dat" 1 | tr -d ' ')
    zad="$work/$nn.zad"
    cp "$root/tools/sample-ad/sample.zad" "$zad"
    set_line "$zad" 1 "$title"
    set_line "$zad" 3 "$description"
    for k in 1 2 3 4 5 6 7 8 9 10; do
        if ((k <= count)); then set_line "$zad" $((14 + k)) "$photos/photo$k.jpg"; else set_line "$zad" $((14 + k)) ""; fi
    done
    set_line "$zad" 41 " $index "
    set_line "$zad" 52 "$tw"
    set_line "$zad" 53 "$th"
    num() { local v; v=$(get_line "$dat" "$1" | tr -d ' '); printf ' %s ' "${v:-0}"; }
    set_line "$zad" 4 "$(num 3)"
    set_line "$zad" 5 "$(num 5)"
    set_line "$zad" 6 "$(num 7)"
    set_line "$zad" 7 "$(get_line "$dat" 31 | tr -d ' ')"
    set_line "$zad" 8 "$(get_line "$dat" 32 | tr -d ' ')"
    set_line "$zad" 9 "$(get_line "$dat" 33 | tr -d ' ')"
    for t in 1 2 3 4; do
        v=$(get_line "$dat" $((10 + 4 * t)) | tr -d ' ')
        set_line "$zad" $((25 + t)) "${v:-0}"
        set_line "$zad" $((31 + t)) "$(get_line "$dat" $((8 + 4 * t)))"
        set_line "$zad" $((36 + t)) "$(num $((7 + 4 * t)))"
    done
    set_line "$zad" 30 "$(num 9)"
    set_line "$zad" 31 "$(get_line "$dat" 10)"

    page="$work/$nn.html"
    {
        printf '<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8"><title>Template %s</title>' "$nn"
        printf '<meta name="viewport" content="width=device-width, initial-scale=1"></head><body>\n'
        LISTWRIGHT_HOME="$H" "$program" --generate --preview "$zad" 2>"$work/gen-$nn.log" ||
            { say "template $nn: generation failed"; cat "$work/gen-$nn.log" >&2; exit 1; }
        printf '\n</body></html>\n'
    } >"$page"
    pages+=("$page")
done

node_out="$work/results.jsonl"
NODE_PATH="$modules/node_modules" node "$root/tools/audit-templates.cjs" "$browser" \
    "$modules/node_modules/axe-core/axe.min.js" "${shots:--}" "${pages[@]}" >"$node_out"

# --- The report ------------------------------------------------------------------------
NODE_PATH="$modules/node_modules" node - "$node_out" <<'EOF'
const fs = require('fs');
const watched = ['image-alt', 'link-name', 'color-contrast', 'table-fake-caption'];
let bad = false;
const lines = fs.readFileSync(process.argv[2], 'utf8').trim().split('\n').map(l => JSON.parse(l));
for (const r of lines) {
    const fails = Object.entries(r.violations).map(([k, v]) => `${k} ${v}`).join(', ') || 'none';
    const wide = r.width < 600 && r.laidOut > r.width;
    if (wide) bad = true;
    console.log(`template ${r.page} at ${r.width} px: ${r.laidOut} px wide${wide ? ' (TOO WIDE)' : ''}, ` +
                `ad ${r.widest} px, ${r.rows} picture rows, ` +
                `score ${r.score.toFixed(2)}, failing: ${fails}`);
}
for (const r of lines)
    for (const d of r.details)
        if (watched.includes(d.rule)) {
            bad = true;
            console.log(`  ${r.page} ${r.width}: ${d.rule}: ${d.target}: ${d.summary}`);
        }
process.exit(bad ? 1 : 0);
EOF
