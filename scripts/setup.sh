#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing) and builds into build/.
# Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-svg-dev libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  libcurl4-openssl-dev libexiv2-dev
  libvips-dev
  libhunspell-dev hunspell-en-us
  libgumbo-dev
  qt6-webengine-dev qt6-declarative-dev
  qtkeychain-qt6-dev
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
lw_missing() { # lw_missing PACKAGE...: the ones not installed, a line each
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# The toolbar and buttons take their pictures from the desktop's icon theme, Breeze when the
# machine has no freedesktop theme of its own (hicolor alone is no theme to draw from).
lw_has_icon_theme() {
  local t
  for t in /usr/share/icons/*/index.theme; do
    case "$t" in */hicolor/* | */locolor/* | */default/*) continue ;; esac
    [ -e "$t" ] && return 0
  done
  return 1
}
lw_has_icon_theme || packages+=(breeze-icon-theme)

mapfile -t missing < <(lw_missing "${packages[@]}")
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

lw_build() { # lw_build DIR [cmake options...]
  local dir="$1"; shift
  cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$root/$dir"
}
