#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Each step prints the seconds elapsed so far, so a slow step shows in the log.
step() { echo "   (${SECONDS}s so far)"; echo "== $*"; }

step "layout (clang-format)"
scripts/check-format.sh

# Line tables (-g1) are all that a failure here is read with (assertions, sanitizer and crash
# stacks give file and line); full debug info would cost a fifth of each build's compile time.
# The code made is the same. The cache keeps the flags, so scripts/soak.sh reuses this tree.
step "build (warnings are errors)"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
step "tests"
ctest --test-dir build --output-on-failure -j2

step "the Debian package (menu entry, metainfo, files, dependencies, an installed run)"
scripts/check-package.sh "$(scripts/package.sh build)"

step "a simulated hour of trading, failing on a freeze (the whole day: scripts/soak.sh)"
scripts/soak.sh --hours 1

step "sanitizer build (address, undefined): core, platform, simulator and end-to-end tests"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTREL_WERROR=ON -DVANTREL_SANITIZE=ON -DVANTREL_BUILD_GUI=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j2 -L 'core|platform|sim|e2e'

step "fuzz targets (clang, libFuzzer): every corpus file replayed, then 20000 runs from seed 1"
# A fixed count, not a time: the same commit gives the same answer on any machine. Open-ended
# exploration is scripts/fuzz.sh SECONDS.
scripts/fuzz.sh --runs 20000 --seed 1
echo "== all tests passed in ${SECONDS}s"
