#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages. Run as root.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2046
apt-get install -y -qq --no-install-recommends $(grep -v '^#' "$here/build-deps.txt") >/dev/null
echo "build dependencies installed"
