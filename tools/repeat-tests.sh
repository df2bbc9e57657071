#!/usr/bin/env bash
# Runs the whole test suite N times to find tests that fail only now and then.
#
#   tools/repeat-tests.sh [--sanitize] N [ctest options, e.g. -R launch]
#
# The plain build (preset "default", build/) unless --sanitize or
# REPEAT_SANITIZE=1 picks the sanitizer build (preset "sanitize",
# build-sanitize/, as tools/sanitize.sh). Each tree is brought up to date
# first. Every run is as CI's: all tests, two at a time. At the end it names
# each test that failed at least once, with how often, and exits non-zero if
# any did; the output of each failed run is kept in <build>/repeat-logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
if [[ "${1:-}" == --sanitize ]]; then
    preset=sanitize
    shift
elif [[ "${REPEAT_SANITIZE:-0}" == 1 ]]; then
    preset=sanitize
fi
runs=${1:-}
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [--sanitize] N [ctest options]" >&2
    exit 2
fi
shift

build=build
[[ $preset == sanitize ]] && build=build-sanitize
cmake --preset "$preset" > /dev/null
cmake --build --preset "$preset" -j2

logs=$build/repeat-logs
rm -rf "$logs"
mkdir -p "$logs"
failed_list=$build/Testing/Temporary/LastTestsFailed.log
declare -A failures=()
for ((run = 1; run <= runs; run++)); do
    rm -f "$failed_list"
    log=$logs/run-$run.log
    if ctest --preset "$preset" "$@" > "$log" 2>&1; then
        rm -f "$log"
        echo "run $run of $runs: passed"
        continue
    fi
    names=()
    if [[ -f $failed_list ]]; then
        # Lines are "<number>:<test name>".
        while IFS= read -r line; do
            names+=("${line#*:}")
        done < "$failed_list"
    else
        names=("(ctest itself, see $log)")
    fi
    for name in "${names[@]}"; do
        failures[$name]=$((${failures[$name]:-0} + 1))
    done
    echo "run $run of $runs: FAILED ${names[*]} (output in $log)"
done

list_failures() {
    local name
    for name in "${!failures[@]}"; do
        echo "  $name: failed ${failures[$name]} of $runs runs"
    done | sort
}
if ((${#failures[@]} == 0)); then
    echo "$preset build: every test passed all $runs runs"
    exit 0
fi
echo "$preset build: ${#failures[@]} test(s) failed at least once in $runs runs:"
list_failures
exit 1
