#!/usr/bin/env bash
# Pictures ready for the web: ten 24-megapixel phone photos (6000x4000 JPEGs with an orientation tag
# and GPS data, made here) prepared by the program and by ImageMagick's
# `convert -auto-orient -resize 1600x1600> -strip -quality 85`, side by side in each run (medians of
# RUNS, who goes first alternating); then the ten prepared pictures and the ten originals uploaded by
# the program's uploader to the test FTP server slowed to 1 MB/s.
# Usage: bench/pictures.sh [RUNS] [BUILD_DIR]
set -euo pipefail
runs="${1:-3}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$root/build}"
work="$(mktemp -d)"
server=""
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

"$build/bin/bench_pictures" make "$work/phone"
photos=("$work"/phone/*.jpg)
: >"$work/ours.txt"
: >"$work/magick.txt"
for run in $(seq "$runs"); do
  if ((run % 2)); then
    "$build/bin/bench_pictures" ours "$work/ours" "${photos[@]}" >>"$work/ours.txt"
    "$build/bin/bench_pictures" magick "$work/magick" "${photos[@]}" >>"$work/magick.txt"
  else
    "$build/bin/bench_pictures" magick "$work/magick" "${photos[@]}" >>"$work/magick.txt"
    "$build/bin/bench_pictures" ours "$work/ours" "${photos[@]}" >>"$work/ours.txt"
  fi
done
# Medians of the wall and processor times, the highest peak.
middle() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
median() {
  echo "$(cut -d' ' -f1 "$1" | middle) $(awk '{ m = ($2 > m ? $2 : m); i = $3; o = $4 } END { print m, i, o }' "$1")" \
    "$(cut -d' ' -f5 "$1" | middle)"
}
read -r o_ms o_mb o_in o_out o_cpu < <(median "$work/ours.txt")
read -r m_ms m_mb m_in m_out m_cpu < <(median "$work/magick.txt")
echo "ten 6000x4000 JPEGs ($((o_in / 1000000)) MB), $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg), medians:"
awk -v a="$o_ms" -v b="$o_mb" -v c="$o_in" -v d="$o_out" -v h="$o_cpu" \
  -v e="$m_ms" -v f="$m_mb" -v g="$m_out" -v k="$m_cpu" 'BEGIN {
  printf "  %-12s %9s %11s %14s %12s\n", "", "time", "processor", "peak memory", "bytes sent"
  printf "  %-12s %6.0f ms %8.0f ms %11.1f MB %10.1f%%   targets: <= 2000 ms, <= 200 MB added, <= 15%%\n", "Listwright", a, h, b, 100 * d / c
  printf "  %-12s %6.0f ms %8.0f ms %11.1f MB %10.1f%%\n", "ImageMagick", e, k, f, 100 * g / c
  printf "  Listwright is %.1fx faster (target >= 3x)\n", e / a }'

# The upload over a line of 1 MB/s: the prepared pictures against the originals.
mkdir -p "$work/root/prepared" "$work/root/originals"
password="bench-$RANDOM$RANDOM"
/usr/bin/python3 "$root/tests/pictures/ftp_server.py" "$work/root" bench 1048576 <<<"$password" >"$work/port" &
server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
port="$(head -n 1 "$work/port")"
upload() { # upload FOLDER FILE...: seconds
  local start end folder="$1"
  shift
  start=$(date +%s%N)
  LW_BENCH_PASSWORD="$password" "$build/bin/bench_upload" 127.0.0.1 "$port" bench "/$folder" "$@"
  end=$(date +%s%N)
  awk -v t="$(((end - start) / 1000000))" 'BEGIN { printf "%.1f", t / 1000 }'
}
prepared=("$work"/ours/*)
t_prepared=$(upload prepared "${prepared[@]}")
t_originals=$(upload originals "${photos[@]}")
echo "upload at 1 MB/s: ten prepared $t_prepared s, ten originals $t_originals s"
