#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a while.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 60)
# Crashing inputs are written to fuzz-out/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${FUZZ_BUILD:-build-fuzz}
flags="-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer -g -O1"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" --target fuzz_ini fuzz_qdb -j 2
status=0
for target in fuzz_ini fuzz_qdb; do
    out="fuzz-out/$target"
    mkdir -p "$out/corpus"
    echo "== $target: $seconds s"
    # Long inputs from the start: a record file needs 84 bytes after the index before anything is read.
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -len_control=0 -artifact_prefix="$out/" \
        "$out/corpus" || status=1
done
exit $status
