#!/usr/bin/env bash
# Builds and runs the benchmarks; ends with one "NAME RATIO" line per figure, where RATIO is
# our time over a baseline measured in the same run, and a few absolute figures: among them
# the event loop's longest stalls through a simulated hour of trading (the soak fails only on a
# freeze of a second or more; shorter stalls are figures to watch here).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_BENCH=ON -DVANTREL_BUILD_GUI=ON >/dev/null
cmake --build build-bench --target vantrel-bench vantrel-sim vantrel-gateway-bench vantrel-soak
out=$(mktemp)
QT_QPA_PLATFORM=offscreen build-bench/bin/vantrel-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$out" --benchmark_out_format=json >/dev/null
python3 bench/ratios.py "$out"
# The gateway's refresh of the bar and fifty stocks against a host taking 200 ms a request;
# GATEWAY_BENCH_SECONDS shortens its five minutes.
build-bench/bin/vantrel-gateway-bench "${GATEWAY_BENCH_SECONDS:-300}"
soak=$(mktemp)
xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bin/vantrel-soak --hours 1 >"$soak" 2>/dev/null || true
sed -n 's/^soak .*max_stall_ms \([0-9]*\).*/soak_hour_max_stall_ms \1/p' "$soak"
rm -f "$soak" "$out"
