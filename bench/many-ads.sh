#!/usr/bin/env bash
# Many ads at once: `Listwright --generate --output-dir` making ADS pages in one process, against
# ADS runs of `Listwright --generate` with one ad each. Checks that both give the same pages.
# Usage: bench/many-ads.sh [ADS] [BUILD_DIR]
set -euo pipefail
ads="${1:-1000}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$root/build}"
program="$build/bin/Listwright"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
cp -r "$root/data/." "$home/"
export LISTWRIGHT_HOME="$home" XDG_DATA_HOME="$home/.data" XDG_CONFIG_HOME="$home/.config"

# The sample ad of the template previews, each copy with a title of its own.
mkdir -p "$home/ads" "$home/one" "$home/many"
for i in $(seq -w 1 "$ads"); do
  { printf 'Sample ad %s [S1] [N][e][w]\r\n' "$i"; tail -n +2 "$root/tools/sample-ad/sample.zad"; } \
    >"$home/ads/ad-$i.zad"
done
"$program" --generate >/dev/null 2>&1 # the first run creates the settings files

now() { date +%s.%N; }
start=$(now)
for f in "$home"/ads/*.zad; do
  name=$(basename "$f" .zad)
  "$program" --generate "$f" >"$home/one/$name.html" 2>/dev/null
done
single=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

start=$(now)
"$program" --generate --output-dir "$home/many" "$home"/ads/*.zad 2>/dev/null
together=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

diff -r "$home/one" "$home/many" >/dev/null || { echo "the pages differ" >&2; exit 1; }
awk -v n="$ads" -v s="$single" -v t="$together" 'BEGIN {
  printf "ads %d  single runs %.2f s (%.1f ms an ad)  one process %.2f s (%.1f ms an ad)  ratio %.1f\n",
         n, s, s * 1000 / n, t, t * 1000 / n, s / t }'
