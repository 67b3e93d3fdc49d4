#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entries and AppStream metainfo as the desktop and the software centre read them:
# valid for their tools, and each text a user sees there in German, Spanish and French too.
# Usage: test_desktop_files.sh SOURCE_DIR BUILD_DIR. Exit 77 (skipped) without the tools.
set -euo pipefail
src=${1:?} build=${2:?}
languages=(de es fr)
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 77; }
done
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

for entry in "$src"/package/quorvel-student.desktop "$src"/package/autostart/quorvel-student.desktop \
    "$src"/package/quorvel-manager.desktop; do
    desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
    # The program's name is the same in every language; what it is and does is translated.
    for key in GenericName Comment Keywords; do
        grep -q "^$key=" "$entry" || continue
        for lang in "${languages[@]}"; do
            grep -q "^$key\[$lang\]=." "$entry" || fail "$entry has no $key[$lang]"
        done
    done
done

for info in "$build"/package/org.quorvel.student.metainfo.xml \
    "$build"/package/org.quorvel.manager.metainfo.xml; do
    appstreamcli validate --no-net --pedantic "$info" || fail "$info does not validate"
    paragraphs=$(grep -c '<p>' "$info")
    for lang in "${languages[@]}"; do
        [ "$(grep -c "<summary xml:lang=\"$lang\">" "$info")" = 1 ] || fail "$info: summary[$lang]"
        [ "$(grep -c "<p xml:lang=\"$lang\">" "$info")" = "$paragraphs" ] ||
            fail "$info: not every paragraph in $lang"
    done
done
exit "$failed"
