#!/usr/bin/env bash
# Sets up, builds and starts the program; under a virtual display when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/Orv21
fi
exec build/bin/Orv21
