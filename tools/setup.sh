#!/usr/bin/env bash
# Installs what is missing on Debian 12, then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev qt6-webengine-dev qt6-tools-dev qt6-translations-l10n libgl-dev
          libsqlite3-dev libicu-dev libqpdf-dev fonts-noto-cjk fonts-dejavu-core xvfb xauth xdotool poppler-utils)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE="${ORV_BUILD_TYPE:-RelWithDebInfo}"
cmake --build build -j"$(nproc)"
