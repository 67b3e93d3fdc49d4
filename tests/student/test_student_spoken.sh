#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A spoken command in the real quorvel-student under X: the pupil chooses the recognizer and
# starts listening from the Speech menu with the keyboard, says "button one" (a synthesized
# recording played as the microphone), and the program of button 1 starts. The recognizer is a
# module the launcher opens only then; this is the one test that hears through it in the real
# program. Exit 77 (skipped) without a display, the tools or the English model.
set -euo pipefail
program=${1:?usage: test_student_spoken.sh PROGRAM MODULE_DIR DATA_DIR}
modules=${2:?}
data=${3:?}
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in xdotool xdpyinfo espeak-ng sox; do
    command -v "$tool" >/dev/null || skip "needs $tool"
done
{ [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } || skip "needs an X display"
[ -d /usr/share/pocketsphinx/model/en-us/en-us ] || skip "needs pocketsphinx-en-us"

tmp=$(mktemp -d)
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

cp "$program" "$data/ordergrammar.xml" "$tmp/"
espeak-ng -v en-us -s 150 -w "$tmp/said.wav" "button one"
sox "$tmp/said.wav" -r 16000 -c 1 -b 16 "$tmp/button-one.wav"
printf '#!/bin/sh\ntouch "%s/started"\n' "$tmp" >"$tmp/one.sh"
printf '#!/bin/sh\ntouch "%s/wrong"\n' "$tmp" >"$tmp/two.sh"
chmod +x "$tmp/one.sh" "$tmp/two.sh"
printf '[Settings]\r\nNumber of tabs=1\r\nTab1=Speech\r\n[Tab 1]\r\nNumber of Buttons=2\r\n' >"$tmp/qv.ini"
printf 'Button 1=%s\r\nButton 2=%s\r\n' "$tmp/one.sh" "$tmp/two.sh" >>"$tmp/qv.ini"

# A home of its own: the pupil's stored settings (push to talk) must not come from the machine.
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config
(cd "$tmp" && QT_QPA_PLATFORM=xcb QV_MODULE_DIR=$modules QV_SPEECH_WAV=$tmp/button-one.wav \
    exec ./quorvel-student) >"$tmp/out.txt" 2>&1 &
pid=$!

waitfor() { # seconds test...
    local limit=$(($1 * 10))
    shift
    for ((i = 0; i < limit; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}
window() { xdotool search --all --pid "$pid" --name '^Quorvel Student$' 2>/dev/null | head -1; }
shown() { [ -n "$(window)" ]; }
waitfor 20 shown || { cat "$tmp/out.txt"; echo "FAILED: no launcher window"; exit 1; }
speechmenu() {
    xdotool windowfocus --sync "$(window)"
    xdotool keydown alt key s keyup alt
    sleep 0.5 # the menu opens on the event loop; keys sent earlier would reach the window
}
mapped() { grep -q 'qv-speech\.so' "/proc/$pid/maps"; }
mapped && { echo "FAILED: the recognizer was opened before it was chosen"; exit 1; }

# "Start Recognition" is disabled until a recognizer is chosen, so "Recognizer" is active.
speechmenu
xdotool key Right
sleep 0.5
xdotool key Return
waitfor 20 mapped || { cat "$tmp/out.txt"; echo "FAILED: choosing a recognizer did not open it"; exit 1; }
speechmenu
xdotool key Return
if ! waitfor 40 test -e "$tmp/started"; then
    cat "$tmp/out.txt"
    echo "FAILED: \"button one\" did not start button 1"
    exit 1
fi
[ ! -e "$tmp/wrong" ] || { echo "FAILED: button 2 started too"; exit 1; }
echo "heard \"button one\" and started button 1"
