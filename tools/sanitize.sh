#!/usr/bin/env bash
# Builds everything with the address and undefined-behaviour sanitizers
# (CMake preset "sanitize", build tree build-sanitize) and runs the whole test
# suite there: any invalid memory access or undefined behaviour fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset sanitize > /dev/null
cmake --build --preset sanitize -j2
ctest --preset sanitize
