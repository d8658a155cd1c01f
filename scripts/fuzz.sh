#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang and runs each for SECONDS (default 60), two at a
# time, on a scratch copy of its corpus, so the repository's corpus never grows by itself.
# Prints "NAME executions crashes" per target; crash, leak and timeout inputs are kept under
# build-fuzz/crashes/NAME/. Exits non-zero when any target crashed, leaked or timed out.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_FUZZ=ON -DVANTREL_BUILD_GUI=OFF \
    "${launcher[@]}" >/dev/null
if ! cmake --build build-fuzz --target fuzz >build-fuzz/build.log 2>&1; then
    tail -50 build-fuzz/build.log >&2
    exit 1
fi

names=()
for source in fuzz/*.cpp; do
    names+=("$(basename "$source" .cpp)")
done

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
    local name=$1 work=build-fuzz/runs/$1
    rm -rf "$work" "build-fuzz/crashes/$name"
    mkdir -p "$work/corpus" "build-fuzz/crashes/$name"
    # Targets that read files write them here: memory, where there is a tmpfs, is far faster.
    local tmp
    tmp=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/corpus/"
    local rc=0
    TMPDIR=$tmp "build-fuzz/fuzz/${name}_fuzz" -max_total_time="$seconds" \
        -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/crashes/$name/" "$work/corpus" >"$work/log" 2>&1 || rc=$?
    rm -rf "$tmp"
    echo "$rc" >"$work/rc"
}

for name in "${names[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do
        wait -n || true
    done
    run "$name" &
done
wait

failed=0
for name in "${names[@]}"; do
    work=build-fuzz/runs/$name
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    crashes=$(find "build-fuzz/crashes/$name" -type f | wc -l)
    echo "$name ${executions:-0} $crashes"
    if [ "$(cat "$work/rc")" -ne 0 ] || [ "$crashes" -ne 0 ]; then
        failed=1
        echo "  $name failed; its log is $work/log" >&2
    fi
done
exit $failed
