#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and testing need, from Debian's packages. Run it as
# root, or as a user with sudo: it raises itself with sudo only when it must.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "$0: run this as root: sudo is not installed" >&2
        exit 1
    fi
    exec sudo -- "$0" "$@"
fi
here="$(cd "$(dirname "$0")" && pwd)"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2046
apt-get install -y -qq --no-install-recommends $(grep -v '^#' "$here/build-deps.txt") >/dev/null
echo "build dependencies installed"
