#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ and runs each for a while on its committed seed corpus (fuzz/corpus/<target>/).
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET ...]   (default 60 s, every target; FUZZ_SEED=N fixes
#   libFuzzer's seed)
# New inputs collect in fuzz-out/<target>/corpus, crashing ones in fuzz-out/<target>/. Prints the
# executions and coverage of each run; exits non-zero when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh fuzz
seconds=${1:-60}
shift || true
all_targets=(fuzz_ini fuzz_settings fuzz_qdb fuzz_qdbcsv fuzz_project fuzz_numtext fuzz_profile fuzz_cli
             fuzz_letterhead fuzz_gif fuzz_jpeg fuzz_bmp)
targets=("${all_targets[@]}")
[ $# -gt 0 ] && targets=("$@")
build=${FUZZ_BUILD:-build-fuzz}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "${FUZZ_JOBS:-2}"
# Short allocation stacks: collecting deep ones on every allocation halves the executions per second.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=2}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-qt.supp:print_suppressions=0}
status=0
for target in "${targets[@]}"; do
    out="fuzz-out/$target"
    mkdir -p "$out/corpus"
    options=(-max_total_time="$seconds" -max_len=4096 -artifact_prefix="$out/" -print_final_stats=1)
    # A fixed seed makes a run repeatable: CI's runs can be replayed (and run longer) on a developer's machine.
    [ -n "${FUZZ_SEED:-}" ] && options+=(-seed="$FUZZ_SEED")
    # A record file needs 84 bytes after the index before anything is read: long inputs from the start.
    [ "$target" = fuzz_qdb ] && options+=(-len_control=0)
    echo "== $target: $seconds s"
    if "$build/fuzz/$target" "${options[@]}" "$out/corpus" "fuzz/corpus/$target" >"$out/log" 2>&1; then
        grep -E 'cov: ' "$out/log" | tail -1 # executions, coverage (edges) and features
    else
        status=1
        tail -40 "$out/log"
    fi
done
exit $status
