#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a school's machine gets it: its file list, an install into a temporary
# root, and both programs started there from their desktop entries' Exec lines under X, on a
# menu named by QV_MENU. Exit 77 (skipped) when there is no package or no display.
set -euo pipefail
build=${QV_BUILD_DIR:?}
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

debs=("$build"/deb/quorvel_*.deb)
[ -f "${debs[0]}" ] || skip "no package in $build/deb (run scripts/package)"
deb=${debs[0]}
for tool in dpkg dpkg-deb xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || skip "needs $tool"
done
{ [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } || skip "needs an X display"

tmp=$(mktemp -d)
manager_pid=
cleanup() {
    [ -z "$manager_pid" ] || kill "$manager_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

listing=$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
for f in ./usr/bin/quorvel-student ./usr/bin/quorvel-manager \
    ./usr/share/quorvel/ordergrammar.xml ./usr/share/quorvel/character/Merlin.acs \
    "./usr/share/quorvel/standard/My Computer.lnk" "./usr/share/quorvel/standard/My Documents.lnk" \
    ./usr/share/quorvel/starter/qv.ini \
    ./usr/share/applications/quorvel-student.desktop ./usr/share/applications/quorvel-manager.desktop \
    ./usr/share/icons/hicolor/48x48/apps/quorvel-student.png \
    ./usr/share/icons/hicolor/scalable/apps/quorvel-manager.svg \
    ./usr/share/metainfo/org.quorvel.Student.metainfo.xml \
    ./usr/share/man/man1/quorvel-student.1.gz ./usr/share/man/man1/quorvel-manager.1.gz \
    ./etc/quorvel/menu.conf ./usr/share/doc/quorvel/copyright; do
    grep -qxF "$f" <<<"$listing" || fail "the package lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no library dependencies declared"

# A real dpkg install into an empty root: its own database, no maintainer scripts to run.
root=$tmp/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --log=/dev/null --force-depends --force-not-root --force-script-chrootless \
    -i "$deb" >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg -i into $root"; }
dpkg --root="$root" -s quorvel | grep -q '^Status: install ok installed' || fail "not installed"

mkdir -p "$tmp/menu" "$tmp/home"
printf '[Settings]\r\nNumber of tabs=2\r\nTab1=Packaged\r\nTab2=Second\r\n[Tab 1]\r\n' >"$tmp/menu/qv.ini"
printf 'Number of Buttons=2\r\nButton 1=My Computer.lnk\r\nButton 2=/nowhere/Alpha.exe\r\n' \
    >>"$tmp/menu/qv.ini"
export PATH="$root/usr/bin:$PATH" HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config
export QV_MENU=$tmp/menu QT_QPA_PLATFORM=xcb
exec_line() { # the Exec line of an installed desktop entry, without field codes
    sed -n 's/^Exec=//p' "$root/usr/share/applications/$1.desktop" | sed 's/ %[a-zA-Z]//g'
}

# Both programs say which menu they use and where their data is.
for p in quorvel-student quorvel-manager; do
    help=$("$p" --help)
    grep -qxF "Menu file: $tmp/menu/qv.ini" <<<"$help" || fail "$p --help: $help"
    grep -qxF "Data folder: $root/usr/share/quorvel" <<<"$help" || fail "$p --help: $help"
    "$p" --version | head -1 | grep -qx "$p [0-9.]*" || fail "$p --version"
    "$p" --version | grep -q "GNU General Public License, version 3 or later" ||
        fail "$p --version names no licence"
done

student=$(exec_line quorvel-student)
[ "$student" = quorvel-student ] || fail "unexpected Exec line '$student'"
QV_WINDOW_TREE=$tmp/student.tree QV_SCREENSHOT=$tmp/student.png timeout 60 $student \
    >"$tmp/student.out" 2>&1 || { cat "$tmp/student.out"; fail "the launcher did not come up"; }
grep -q $'QTabBar\t.*\tPackaged|Second$' "$tmp/student.tree" || fail "no tabs: $(cat "$tmp/student.tree")"
grep -q $'\tMy Computer$' "$tmp/student.tree" || fail "no standard item: $(cat "$tmp/student.tree")"
[ -s "$tmp/student.png" ] || fail "no screenshot"

manager=$(exec_line quorvel-manager)
[ "$manager" = quorvel-manager ] || fail "unexpected Exec line '$manager'"
$manager >"$tmp/manager.out" 2>&1 &
manager_pid=$!
timeout 30 xdotool search --sync --onlyvisible --pid "$manager_pid" --name '^Quorvel Manger$' >/dev/null ||
    fail "the editor's window did not come up: $(cat "$tmp/manager.out")"
kill "$manager_pid"
wait "$manager_pid" 2>/dev/null || true
manager_pid=
echo "package: $(basename "$deb") installed into a temporary root; both programs came up"
