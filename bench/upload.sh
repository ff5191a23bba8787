#!/usr/bin/env bash
# Picture upload: ten pictures of about 5 MB over loopback to a plain FTP server (pyftpdlib), sent by the
# program's uploader and, in the same runs, by the curl command-line tool; medians of the wall
# times (each a fresh process, one login, ten files).
# Usage: bench/upload.sh [RUNS] [BUILD_DIR]
set -euo pipefail
runs="${1:-15}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$root/build}"
work="$(mktemp -d)"
server=""
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

mkdir -p "$work/files" "$work/root/ours" "$work/root/curl"
# Real JPEGs when ImageMagick is there (the uploader then reads their headers), else random bytes.
if command -v convert >/dev/null; then
  convert -size 1800x1400 xc: +noise Random -quality 96 "$work/noise.jpg"
  for i in $(seq 0 9); do cp "$work/noise.jpg" "$work/files/picture$i.jpg"; done
else
  for i in $(seq 0 9); do head -c 5242880 /dev/urandom >"$work/files/picture$i.jpg"; done
fi
files=("$work"/files/*.jpg)
password="bench-$RANDOM$RANDOM"
/usr/bin/python3 "$root/tests/pictures/ftp_server.py" "$work/root" bench <<<"$password" >"$work/port" &
server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
port="$(head -n 1 "$work/port")"
printf 'machine 127.0.0.1 login bench password %s\n' "$password" >"$work/netrc"
chmod 600 "$work/netrc"
list="$(IFS=,; echo "${files[*]}")"

ours() { LW_BENCH_PASSWORD="$password" "$build/bin/bench_upload" 127.0.0.1 "$port" bench /ours "${files[@]}"; }
tool() { curl -sS --netrc-file "$work/netrc" -T "{$list}" "ftp://127.0.0.1:$port/curl/" >/dev/null; }
seconds() { # seconds COMMAND: its wall time
  local start end
  start=$(date +%s%N)
  "$1"
  end=$(date +%s%N)
  echo "$(((end - start) / 1000))"
}

: >"$work/ours.txt"
: >"$work/curl.txt"
for run in $(seq "$runs"); do
  rm -f "$work"/root/ours/* "$work"/root/curl/*
  # Alternating who goes first, so neither always meets a warmer server.
  if ((run % 2)); then
    seconds ours >>"$work/ours.txt"
    seconds tool >>"$work/curl.txt"
  else
    seconds tool >>"$work/curl.txt"
    seconds ours >>"$work/ours.txt"
  fi
done
for f in "${files[@]}"; do
  cmp -s "$f" "$work/root/ours/$(basename "$f")" || { echo "upload differs: $(basename "$f")" >&2; exit 1; }
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
m_ours=$(median "$work/ours.txt")
m_curl=$(median "$work/curl.txt")
awk -v o="$m_ours" -v c="$m_curl" -v n="$runs" 'BEGIN {
  printf "ten 5 MB files, %d runs, medians: Listwright %.0f ms, curl %.0f ms, ratio %.2f (target <= 1.20)\n",
    n, o / 1000, c / 1000, o / c }'
