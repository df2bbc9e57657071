#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz (Qt's own assertions on)
# and runs each for a bounded time, FUZZ_SECONDS (60 by default), starting
# from the seed corpus in fuzz/.
# Inputs that reach new code are kept in build-fuzz/corpus, never in the
# repository. An input that crashes a reader or breaks one of its promises
# stops the run with exit 1 and is kept in build-fuzz/crashes.
#   bash tools/fuzz.sh                 every target
#   bash tools/fuzz.sh projectfile     one target
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
seconds=${FUZZ_SECONDS:-60}
targets=("$@")
((${#targets[@]})) || targets=(projectfile propertybag textdecode jpegread pictureread printsize)
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
flags+=" -fno-omit-frame-pointer"

mkdir -p build-fuzz/crashes
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_CXX_COMPILER=clang++ -DMARVOLIA_FUZZ=ON -DMARVOLIA_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" > build-fuzz/build.log 2>&1 || { cat build-fuzz/build.log; exit 1; }
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}" >> build-fuzz/build.log 2>&1 ||
  { tail -50 build-fuzz/build.log; exit 1; }

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  seeds=(fuzz/corpus/"$target")
  [[ $target == propertybag ]] && seeds+=(assets/designs)
  log=build-fuzz/$target.log
  if ! ./build-fuzz/fuzz_"$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" \
      -timeout=20 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix=build-fuzz/crashes/"$target"- > "$log" 2>&1; then
    tail -60 "$log"
    echo "fuzz_$target: FAILED, input kept in build-fuzz/crashes/"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cover=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  echo "fuzz_$target: $runs inputs in $seconds s, $cover, corpus $(ls "$corpus" | wc -l) files, no failure"
done
