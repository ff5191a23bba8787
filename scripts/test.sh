#!/usr/bin/env bash
# Sets up, builds and runs every test: once in the normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
jobs="$(nproc)"

# The servers the upload tests start on loopback ports. Only the tests get them: installing must
# not leave them listening on the network, so no service may start while they install (a
# refusing policy-rc.d, when none exists) and those installed here are not started at boot.
test_packages=(python3-pyftpdlib vsftpd openssh-server openssl)
# The file association is read back the way a file manager asks: xdg-mime over the MIME database.
test_packages+=(xdg-utils shared-mime-info libfile-mimeinfo-perl)
# The Debian package is checked by lintian and the AppStream and desktop-entry validators.
test_packages+=(lintian appstream desktop-file-utils)
# The picture tests make their photographs with ImageMagick, and HEIC ones with libheif's heif-enc.
test_packages+=(imagemagick libheif-examples)
# The keyring tests start a session bus and gnome-keyring's Secret Service of their own, and look
# into it with dbus-send and secret-tool.
test_packages+=(dbus gnome-keyring libsecret-1-0 libsecret-tools)
mapfile -t missing < <(lw_missing "${test_packages[@]}")
if ((${#missing[@]})); then
  policy=/usr/sbin/policy-rc.d
  own_policy=""
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
    $sudo chmod 755 "$policy"
    own_policy=1
  fi
  echo "Installing for the tests: ${missing[*]}"
  installed=1
  $sudo apt-get update -qq || installed=""
  if [ -n "$installed" ] && ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"; then
    installed=""
  fi
  if [ -n "$own_policy" ]; then $sudo rm -f "$policy"; fi
  [ -n "$installed" ] || exit 1
  for p in "${missing[@]}"; do
    case "$p" in vsftpd) service=vsftpd ;; openssh-server) service=ssh ;; *) continue ;; esac
    if command -v systemctl >/dev/null; then $sudo systemctl disable --quiet "$service" 2>/dev/null || true; fi
    if command -v update-rc.d >/dev/null; then $sudo update-rc.d "$service" disable >/dev/null 2>&1 || true; fi
  done
fi

lw_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
bash "$root/scripts/package.sh"

lw_build build-asan -DCMAKE_BUILD_TYPE=Debug -DLW_SANITIZE=ON -DLW_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs" -LE webengine
# Chromium's own faults (a sized delete of another size, memory kept to the end) are passed over
# in the browser tests only; our code in them is checked like everywhere else.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:new_delete_type_mismatch=0 \
  LSAN_OPTIONS="suppressions=$root/tests/submission/webengine.lsan" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -L webengine
