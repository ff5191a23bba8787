#!/usr/bin/env bash
# Window start-up: from process start to the main window shown and idle.
# Usage: bench/startup.sh [RUNS] [BUILD_DIR]   (QT_QPA_PLATFORM defaults to offscreen)
set -euo pipefail
runs="${1:-20}"
build="${2:-$(cd "$(dirname "$0")/.." && pwd)/build}"
program="$build/bin/Listwright"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
cp -r "$(cd "$(dirname "$0")/.." && pwd)/data/." "$home/"
export LISTWRIGHT_HOME="$home" LISTWRIGHT_QUIT_WHEN_IDLE=1 QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Every start registers the ad-file association: into the run's own folders, not the user's.
export XDG_DATA_HOME="$home/.data" XDG_CONFIG_HOME="$home/.config"

"$program" >/dev/null 2>&1 # the first run creates the settings files
for _ in $(seq "$runs"); do
  /usr/bin/time -f "%e %M" "$program" 2>&1 >/dev/null | tail -n 1
done | sort -n | awk '{ t[NR] = $1 * 1000; m = ($2 > m ? $2 : m) }
  END { printf "runs %d  median %.0f ms  min %.0f ms  max %.0f ms  peak RSS %.1f MB\n",
        NR, t[int((NR + 1) / 2)], t[1], t[NR], m / 1024 }'
