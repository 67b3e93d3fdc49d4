#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs inside the throwaway bookworm root of scripts/check-install: /tmp/in/new holds the
# packages to test, /tmp/in/old (if not empty) the package they replace. Screenshots go to
# /tmp/shots. Exit 0 all passed, 1 a failure, 77 all passed but menus per group are unknown to
# the installed launcher.
set -euo pipefail
mkdir -p /tmp/shots
fail() { echo "FAILED: $*"; exit 1; }
export DEBIAN_FRONTEND=noninteractive
conf=/etc/quorvel/menu.conf
install() { apt-get install -y -q --no-install-recommends "$@" >/tmp/apt.log 2>&1 || { cat /tmp/apt.log; fail "apt-get install $*"; }; }

edit='menu = /srv/quorvel/all   # set by IT before the upgrade'
old=(/tmp/in/old/*.deb)
if [ -f "${old[0]}" ]; then
    install "${old[@]}"
    echo "$edit" >>"$conf"
    echo "installed $(basename "${old[0]}") and edited $conf"
fi
# Unattended, as a school's upgrades run: an edited conffile is kept, the shipped one set beside it.
install -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold /tmp/in/new/*.deb
for p in quorvel-common quorvel-student quorvel-manager quorvel; do
    echo "$p $(dpkg-query -W -f='${Version} ${Status}' "$p")" | grep -q 'install ok installed$' ||
        fail "$p not installed"
done
[ "$(dpkg -S "$conf" | cut -d: -f1)" = quorvel-common ] || fail "$conf not owned by quorvel-common"
dpkg-query -W -f='${Conffiles}\n' quorvel-common | grep -q " $conf " || fail "$conf is no conffile"
if [ ! -f "${old[0]}" ]; then
    # The old package required the speech model; a new install only recommends it.
    dpkg-query -W -f='${Status}' pocketsphinx-en-us 2>/dev/null | grep -q "install ok installed" &&
        fail "pocketsphinx-en-us came in as a dependency"
    echo "$edit" >>"$conf" # the room's menu, as set up by IT
else
    grep -qxF "$edit" "$conf" || fail "the upgrade lost the edit of $conf: $(cat "$conf")"
    [ -z "$(find /etc/quorvel -name '*.dpkg-*' ! -name '*.dpkg-dist')" ] ||
        fail "the upgrade left $(find /etc/quorvel -name '*.dpkg-*')"
    echo "upgraded from $(basename "${old[0]}"): the edit of $conf kept$(
        [ ! -f "$conf.dpkg-dist" ] || echo ", the new shipped version beside it as $conf.dpkg-dist")"
fi

# Its socket only in this root's /tmp (no abstract socket): no clash with displays outside. It
# writes the display's number to fd 3 once it takes clients.
Xvfb :5 -screen 0 1280x1024x24 -ac -nolisten tcp -nolisten local -displayfd 3 \
    3>/tmp/xvfb.ready >/tmp/xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=:5
for _ in $(seq 600); do
    [ -s /tmp/xvfb.ready ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start: $(cat /tmp/xvfb.log)"

menu() { # menu FOLDER TAB: a one-tab menu named TAB with one standard item
    mkdir -p "$1"
    printf '[Settings]\r\nNumber of tabs=1\r\nTab1=%s\r\n[Tab 1]\r\nNumber of Buttons=1\r\nButton 1=My Computer.lnk\r\n' \
        "$2" >"$1/qv.ini"
}
menu /srv/quorvel/all Everyone
menu /srv/quorvel/year1 Year1
groupadd year1
useradd -m -G year1 pupil
echo 'menu[year1] = /srv/quorvel/year1' >>"$conf"
as_pupil() { runuser -u pupil -- env DISPLAY=:5 QT_QPA_PLATFORM=xcb "$@"; }

help=$(as_pupil quorvel-student --help)
want=Everyone
if grep -qF 'Menu file: /srv/quorvel/year1/qv.ini' <<<"$help"; then
    want=Year1
    group=known
elif grep -qi 'group' <<<"$help"; then
    fail "--help names groups but not the menu of year1: $help"
else
    group=unknown
    echo "menu[year1] not understood by this launcher (--help names no group): $help"
fi

as_pupil env QV_WINDOW_TREE=/tmp/student.tree QV_SCREENSHOT=/tmp/student.png \
    timeout 60 quorvel-student >/tmp/student.out 2>&1 || { cat /tmp/student.out; fail "the launcher did not come up"; }
grep -q $'QTabBar\t.*\t'"$want"'$' /tmp/student.tree || fail "not the menu $want: $(cat /tmp/student.tree)"
cp /tmp/student.png /tmp/shots/ 2>/dev/null || fail "no screenshot"
echo "quorvel-student came up for the pupil with the menu $want"

QV_MENU=/srv/quorvel/all quorvel-manager >/tmp/manager.out 2>&1 &
manager=$!
timeout 30 xdotool search --sync --onlyvisible --pid "$manager" --name '^Quorvel Manger$' >/dev/null ||
    fail "the editor's window did not come up: $(cat /tmp/manager.out)"
kill "$manager"
echo "quorvel-manager came up"
if [ "$group" = unknown ]; then
    echo "SKIPPED: menus per group (menu[year1] in $conf): the installed launcher does not know them yet"
    exit 77
fi
echo "the pupil in year1 got the menu of year1"
