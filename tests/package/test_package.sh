#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages as a school's machine gets them: what each holds and asks for, an install
# into a temporary root, and both programs started there from their desktop entries' Exec lines
# under X, on a menu named by QV_MENU. Exit 77 (skipped) when there are no packages or no display.
set -euo pipefail
build=${QV_BUILD_DIR:?}
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

names=(quorvel-common quorvel-student quorvel-manager quorvel)
debs=()
for n in "${names[@]}"; do
    d=$(ls "$build"/deb/"${n}"_*.deb 2>/dev/null | head -1) || true
    [ -n "$d" ] || skip "no $n package in $build/deb (run scripts/package)"
    debs+=("$d")
done
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

listing() { dpkg-deb -c "$1" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }'; }
field() { dpkg-deb -f "$build/deb/$1"_*.deb "$2"; }
# Each file in the package of its role: a pupil's machine gets no editor, both get the data.
while read -r pkg f; do
    listing "$build/deb/$pkg"_*.deb | grep -qxF "${f//%/ }" || fail "$pkg lacks $f"
done <<FILES
quorvel-student ./usr/bin/quorvel-student
quorvel-student ./usr/share/applications/quorvel-student.desktop
quorvel-student ./usr/share/icons/hicolor/48x48/apps/quorvel-student.png
quorvel-student ./usr/share/metainfo/org.quorvel.student.metainfo.xml
quorvel-student ./usr/share/man/man1/quorvel-student.1.gz
quorvel-student ./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quorvel/qv-speech.so
quorvel-student ./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quorvel/qv-voice.so
quorvel-manager ./usr/bin/quorvel-manager
quorvel-manager ./usr/share/applications/quorvel-manager.desktop
quorvel-manager ./usr/share/icons/hicolor/scalable/apps/quorvel-manager.svg
quorvel-manager ./usr/share/metainfo/org.quorvel.manager.metainfo.xml
quorvel-manager ./usr/share/man/man1/quorvel-manager.1.gz
quorvel-common ./usr/share/quorvel/ordergrammar.xml
quorvel-common ./usr/share/quorvel/character/Merlin.acs
quorvel-common ./usr/share/quorvel/standard/My%Computer.lnk
quorvel-common ./usr/share/quorvel/standard/My%Documents.lnk
quorvel-common ./usr/share/quorvel/starter/qv.ini
quorvel-student ./usr/share/quorvel/autostart/quorvel-student.desktop
quorvel-common ./etc/quorvel/menu.conf
quorvel-common ./usr/share/doc/quorvel-common/copyright
quorvel-common ./usr/share/doc/quorvel-common/it-guide.md.gz
quorvel-common ./usr/share/doc/quorvel-common/teachers-guide.md.gz
FILES
listing "$build"/deb/quorvel-student_*.deb | grep -q quorvel-manager && fail "the launcher's package holds the editor"
for p in quorvel-student quorvel-manager; do
    field "$p" Depends | grep -q 'libqt6widgets6' || fail "$p declares no library dependencies"
    field "$p" Depends | grep -q 'quorvel-common (= ' || fail "$p does not depend on its data"
    field "$p" Replaces | grep -q 'quorvel (<< ' || fail "$p does not take over from quorvel"
done
# Speech is off until switched on: its model is recommended, not required.
field quorvel-student Depends | grep -q pocketsphinx-en-us && fail "pocketsphinx-en-us is still required"
field quorvel-student Recommends | grep -q pocketsphinx-en-us || fail "pocketsphinx-en-us not recommended"
field quorvel Depends | grep -q quorvel-student || fail "the transitional package installs no launcher"

# A real dpkg install into an empty root: its own database, no maintainer scripts to run.
root=$tmp/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --log=/dev/null --force-depends --force-not-root --force-script-chrootless \
    -i "${debs[@]}" >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg -i into $root"; }
for n in "${names[@]}"; do
    dpkg --root="$root" -s "$n" | grep -q '^Status: install ok installed' || fail "$n not installed"
done

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
echo "packages: ${names[*]} installed into a temporary root; both programs came up"
