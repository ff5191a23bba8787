#!/usr/bin/env bash
# Builds the Debian package of the normal build (build/listwright_VERSION_ARCH.deb) and checks
# it: lintian finds no errors, only the programs and their content are inside, the AppStream
# data and the desktop entry validate.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

check_packages=(lintian appstream desktop-file-utils)
mapfile -t missing < <(lw_missing "${check_packages[@]}")
if ((${#missing[@]})); then
  echo "Installing for the package check: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

lw_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
rm -f "$root"/build/listwright_*.deb
(cd "$root/build" && cpack -G DEB >/dev/null)
deb=$(ls "$root"/build/listwright_*.deb)
echo "Package: $deb"

# Nothing but the two programs, the link to the first and modules they load.
unexpected=$(dpkg-deb --contents "$deb" | awk '{print $6}' |
  grep -E '^\./usr/(bin|lib)/.*[^/]$' |
  grep -vxE '\./usr/bin/Listwright|\./usr/lib/listwright/(Listwright|Updater|modules/[^/]+\.so)' || true)
if [ -n "$unexpected" ]; then
  echo "Files the package must not hold:" >&2
  echo "$unexpected" >&2
  exit 1
fi

# Warnings are shown; an error fails the check.
lintian --fail-on error --suppress-tags executable-in-usr-lib "$deb"

check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
dpkg-deb --extract "$deb" "$check"
appstreamcli validate --no-net "$check"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$check"/usr/share/applications/listwright.desktop
echo "Package checked: $deb"
