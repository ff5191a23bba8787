#!/usr/bin/env bash
# Makes the screenshot of the AppStream data, packaging/screenshots/main-window.png: the main
# window of the built program (build/bin/Listwright) with tools/sample-ad/sample.zad open, on a
# virtual X display with the openbox window manager, in a throw-away home and installation copy.
# Publish the file at the address of -DLW_SCREENSHOT_URL=... (CMake).
#
# Usage: tools/make-screenshot.sh [DISPLAY-NUMBER]   (default 99)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
display=":${1:-99}"

need=()
for p in xvfb openbox xdotool imagemagick fonts-dejavu-core; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if ((${#need[@]})); then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing: ${need[*]}" >&2
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}"
fi
program="$root/build/bin/Listwright"
[ -x "$program" ] || { echo "make-screenshot: build the program first (scripts/run.sh or cmake)" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$root/data" "$work/install"
mkdir -p "$work/home"
Xvfb "$display" -screen 0 1400x1000x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY="$display" HOME="$work/home" openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
(cd "$root/tools/sample-ad" &&
    exec env DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" LISTWRIGHT_HOME="$work/install" \
        "$program" sample.zad) >/dev/null 2>&1 &
pids+=($!)

window=$(DISPLAY="$display" timeout 60 xdotool search --sync --onlyvisible --name '^Listwright' | head -n 1)
# The start-up loads the template and the ad after the window shows.
sleep 3
mkdir -p "$root/packaging/screenshots"
DISPLAY="$display" import -window "$window" "$work/shot.png"
convert "$work/shot.png" -strip -define png:exclude-chunks=date,time "$root/packaging/screenshots/main-window.png"
echo "screenshot written: $root/packaging/screenshots/main-window.png"
