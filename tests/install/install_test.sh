#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR (prefix /usr), makes the tree read-only and runs the
# installed program from it with a home of its own: it generates an ad and starts its window,
# writes only into the seller's folders, and the installation stays byte-identical.
# Usage: install_test.sh CMAKE BUILD-DIR
set -euo pipefail
cmake=$1 build=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" "$cmake" --install "$build" --prefix /usr >/dev/null
usr="$work/root/usr"
for f in lib/listwright/Listwright lib/listwright/Updater share/listwright/templates/01.tpt \
    share/listwright/help/index.html share/applications/listwright.desktop \
    share/mime/packages/listwright.xml share/icons/hicolor/64x64/apps/listwright.png \
    share/metainfo/example.listwright.listwright.metainfo.xml share/man/man1/Listwright.1.gz; do
    [ -f "$usr/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$usr/bin/Listwright")" = ../lib/listwright/Listwright ] || fail "bin/Listwright is no link to the program"
extra=$(cd "$usr" && find bin lib ! -type d | grep -vxE 'bin/Listwright|lib/listwright/(Listwright|Updater|modules/[^/]+\.so)' || true)
[ -z "$extra" ] || fail "installed beside the programs: $extra"

snapshot() { (cd "$usr" && find . -printf '%p %y %m %l\n' | sort && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
chmod -R a-w "$usr"
before=$(snapshot)

home="$work/home"
mkdir -p "$home/.runtime" && chmod 700 "$home/.runtime"
run() {
    (cd "$home" && env -u LISTWRIGHT_HOME HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/.runtime" \
        DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/listwright-tests "$@")
}
page=$(run "$usr/bin/Listwright" --generate) || fail "--generate failed"
[[ "$page" == *"<"* ]] || fail "--generate wrote no page"
run env QT_QPA_PLATFORM=offscreen LISTWRIGHT_QUIT_WHEN_IDLE=1 "$usr/bin/Listwright" || fail "the window did not start"

[ "$(snapshot)" = "$before" ] || fail "the installation changed"
config="$home/.config/listwright"
[ "$(sed -n 5p "$config/settings.txt" | tr -d '\r')" = "$usr/share/listwright/templates" ] ||
    fail "settings.txt does not name the installed templates"
[ "$(stat -c %a "$config/eBaycfg.txt")" = 600 ] || fail "eBaycfg.txt is readable by others"
[ -f "$config/updpr.dat" ] || fail "no updpr.dat"
# No association of its own either: the package brings it.
stray=$(cd "$home" && find . -type f | grep -vE '^\./(\.config/listwright|\.local/share/listwright|\.cache)/' || true)
[ -z "$stray" ] || fail "written outside the program's folders: $stray"
echo "The installed program ran from $usr"
