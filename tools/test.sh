#!/usr/bin/env bash
# Installs what is needed, builds everything, and runs the whole test suite.
# Arguments go to CMake (e.g. -DCMAKE_COMPILE_WARNING_AS_ERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build
ctest --test-dir build --output-on-failure -j2
