#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs inside a bare bookworm root of scripts/check-install: installs what debian/control asks
# for and nothing else, builds the packages from /tmp/src/quorvel with the quick tests, and puts
# the .debs in /tmp/debs.
set -euxo pipefail
export DEBIAN_FRONTEND=noninteractive
mkdir -p /tmp/debs
cd /tmp/src/quorvel
apt-get build-dep -y -q ./
dpkg-checkbuilddeps
time dpkg-buildpackage -us -uc -b -j"$(nproc)"
mv ../*.deb ../*.buildinfo ../*.changes /tmp/debs/
