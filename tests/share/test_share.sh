#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a private Samba server and mounts its share twice (scripts/smb-env), then runs the
# share tests through the two mounts. Exit 77 (skipped) when the share cannot be mounted here.
set -uo pipefail
. "$(dirname "$0")/../../scripts/smb-env"
dir=$(mktemp -d)
trap 'qv_stop_share; rm -rf "$dir"' EXIT
if ! qv_start_share "$dir"; then
    echo "SKIPPED: no SMB share can be mounted here: $QV_SHARE_ERROR"
    exit 77
fi
echo "share mounted twice with $QV_SHARE_CLIENT${QV_SHARE_NOTE:+ ($QV_SHARE_NOTE)}"
"$1"
