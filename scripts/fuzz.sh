#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang and runs them, two at a time:
#   scripts/fuzz.sh [SECONDS]             explore: each target for SECONDS (default 60) on a
#                                         scratch copy of its corpus, so the repository's
#                                         corpus never grows by itself
#   scripts/fuzz.sh --runs N [--seed S]   check (scripts/test.sh): every corpus file replayed
#                                         once, then N runs from seed S (default 1); the same
#                                         commit gives the same answer on any machine
# Prints "NAME executions crashes" per target; crash, leak and timeout inputs are kept under
# build-fuzz/crashes/NAME/. Exits non-zero when any target crashed, leaked or timed out. A
# finding lands with its fix and its input, copied into fuzz/corpus/NAME/, so that every
# later check replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=60 runs= seed=1
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    *) seconds=$1; shift ;;
    esac
done
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
    local target=build-fuzz/fuzz/${name}_fuzz
    rm -rf "$work" "build-fuzz/crashes/$name"
    mkdir -p "$work/corpus" "build-fuzz/crashes/$name"
    # Targets that read files write them here: memory, where there is a tmpfs, is far faster.
    local tmp
    tmp=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
    local options=(-print_final_stats=1 -rss_limit_mb=2048 -artifact_prefix="build-fuzz/crashes/$name/")
    local rc=0
    if [ -n "$runs" ]; then
        # The corpus in a fixed order (a directory lists its files in an order of the file
        # system's own): with the seed, the runs then take the same path everywhere. Time
        # limits are generous, since a slow machine must not turn into a finding.
        find "fuzz/corpus/$name" -type f 2>/dev/null | LC_ALL=C sort >"$work/inputs"
        local seeds=()
        if [ -s "$work/inputs" ]; then
            seeds=(-seed_inputs=@"$work/inputs")
            TMPDIR=$tmp xargs -d '\n' -a "$work/inputs" "$target" -timeout=60 "${options[@]}" \
                >"$work/replay.log" 2>&1 || rc=$?
        fi
        # Addresses laid out alike on every run: some of the fuzzer's features hash code
        # addresses; no reloading of the corpus by the clock.
        if [ "$rc" -eq 0 ]; then
            TMPDIR=$tmp setarch "$(uname -m)" -R "$target" -seed="$seed" -runs="$runs" \
                -reload=0 -timeout=60 "${options[@]}" "${seeds[@]}" "$work/corpus" \
                >"$work/log" 2>&1 || rc=$?
        else
            cp "$work/replay.log" "$work/log"
        fi
    else
        [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/corpus/"
        TMPDIR=$tmp "$target" -max_total_time="$seconds" -timeout=10 "${options[@]}" \
            "$work/corpus" >"$work/log" 2>&1 || rc=$?
    fi
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
        find "build-fuzz/crashes/$name" -type f -printf "  input: %p (with the fix, into fuzz/corpus/$name/)\n" >&2
    fi
done
exit $failed
