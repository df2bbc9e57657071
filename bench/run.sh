#!/bin/bash
# Builds the benchmark program in build-bench/ and runs it; arguments go to
# the program (--quick, --only preview|formats|step|open|remove|many|tree|copy|labjpegs|
# labframes|framestep|search|memory).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build-bench" -G Ninja -DMARVOLIA_BENCH=ON -DMARVOLIA_TESTS=OFF >/dev/null
cmake --build "$top/build-bench" -j2 --target marvolia_bench
exec "$top/build-bench/marvolia_bench" "$@"
