#!/usr/bin/env bash
# The whole program through a simulated trading day on a virtual X display:
#   scripts/soak.sh [--hours N]     N simulated hours from 09:00 (default: the day, to 16:00)
# Prints "soak refreshes N rss_growth_mb X fds_growth N max_stall_ms X" and fails on a crash,
# on memory or descriptor growth, or on a freeze of the event loop (a stall over a second).
set -euo pipefail
cd "$(dirname "$0")/.."

# The same tree and options as scripts/test.sh, so this builds nothing after a test run.
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON
xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/vantrel-soak "$@"
