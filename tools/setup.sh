#!/usr/bin/env bash
# Installs, only when missing, every Debian package the build, the tests and the
# run need. Safe to run again; does nothing when all are present.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libeigen3-dev libdxflib-dev libcli11-dev
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev libpng-dev
    fonts-wqy-microhei fonts-wqy-zenhei poppler-utils
    python3 python3-ezdxf
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
