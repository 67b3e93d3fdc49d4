#!/bin/sh
# Rebuilds quorvel-test.ico and quorvel-test.exe, the real-toolchain fixture of the icon reader.
# Needs imagemagick, binutils-mingw-w64-x86-64 and gcc-mingw-w64-x86-64-win32; the results are
# checked in, so the tests do not need these tools.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# An orange disc on transparency with a dark dot in its middle, at three sizes.
for s in 16 32 48; do
    r=$((s * 7 / 16)); c=$((s / 2)); d=$((s / 8))
    convert -size ${s}x${s} xc:none -fill '#f08010' -draw "circle $c,$c $c,$((c - r))" \
        -fill '#202020' -draw "circle $c,$c $c,$((c - d))" "$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" quorvel-test.ico
printf '1 ICON "quorvel-test.ico"\n' >"$tmp/icon.rc"
x86_64-w64-mingw32-windres "$tmp/icon.rc" -O coff -o "$tmp/icon.o"
printf 'int start(void) { return 0; }\n' >"$tmp/main.c"
x86_64-w64-mingw32-gcc -Os -s -nostdlib -Wl,--entry=start -Wl,--subsystem,windows \
    -o quorvel-test.exe "$tmp/main.c" "$tmp/icon.o"
