#!/usr/bin/env bash
# Checks that every C++ file in the repository is laid out as .clang-format says.
# Run with --fix to reformat them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! clang-format --dry-run --Werror "${files[@]}" 2>"$report"; then
    grep -o '^[^:]*\.\(cpp\|h\)' "$report" | sort -u | sed 's/^/not formatted: /' >&2
    echo "scripts/check-format.sh --fix lays them out." >&2
    exit 1
fi
