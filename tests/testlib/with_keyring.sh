#!/bin/sh
# with_keyring.sh PROGRAM ARGS...: runs a test program with a desktop keyring of its own, a session
# bus with gnome-keyring's Secret Service on it and a login keyring made afresh and unlocked, all
# in a temporary folder named by LW_TEST_KEYRING. The bus knows no display, so nothing on it can
# show a prompt. Without gnome-keyring (scripts/test.sh installs it) the program runs as it is.
command -v gnome-keyring-daemon >/dev/null && command -v dbus-run-session >/dev/null || exec "$@"
set -e
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
unset DISPLAY WAYLAND_DISPLAY
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
export LW_TEST_KEYRING="$home"
dbus-run-session -- sh -c 'printf lw-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null &&
  exec "$@"' sh "$@"
