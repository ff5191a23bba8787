#!/usr/bin/env bash
# Sets up, builds and starts Listwright. Arguments go to the program (an ad file, --generate ...).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
lw_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/bin/Listwright" "$@"
