#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vantrel. Arguments pass through to the program;
# with no quote service given it starts its own simulated market (with --live, the live gateway).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Vantrel on a virtual X display (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/vantrel "$@"
fi
exec build/bin/vantrel "$@"
