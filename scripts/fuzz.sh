#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ and runs each for a while on its committed seed corpus (fuzz/corpus/<target>/), as many
# at once as there are processors.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET ...]   (default 60 s, every target; FUZZ_SEED=N fixes
#   libFuzzer's seed, FUZZ_PARALLEL=N runs N targets at once, FUZZ_RUNS=N stops a target after N
#   executions when that comes before its time is up)
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
# ccache, where installed, keeps the compiled objects between runs, as the Makefile does for the other builds.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} \
           CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
fi
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "${FUZZ_JOBS:-2}"
# Short allocation stacks: collecting deep ones on every allocation halves the executions per second.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=2}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-qt.supp:print_suppressions=0}
export build seconds FUZZ_SEED=${FUZZ_SEED:-} FUZZ_RUNS=${FUZZ_RUNS:-}
# run_target TARGET: one libFuzzer run; its summary (or the tail of its log on a finding) printed at once
# when it ends, so parallel runs do not interleave their lines.
run_target() {
    local target=$1 out="fuzz-out/$1"
    mkdir -p "$out/corpus"
    local options=(-max_total_time="$seconds" -max_len=4096 -artifact_prefix="$out/" -print_final_stats=1)
    # A fixed seed makes a run repeatable: CI's runs can be replayed (and run longer) on a developer's machine.
    [ -n "$FUZZ_SEED" ] && options+=(-seed="$FUZZ_SEED")
    [ -n "$FUZZ_RUNS" ] && options+=(-runs="$FUZZ_RUNS")
    # A record file needs 84 bytes after the index before anything is read: long inputs from the start.
    [ "$target" = fuzz_qdb ] && options+=(-len_control=0)
    if "$build/fuzz/$target" "${options[@]}" "$out/corpus" "fuzz/corpus/$target" >"$out/log" 2>&1; then
        printf '== %s: %s s, %s executions\n%s\n' "$target" "$seconds" \
            "$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log")" \
            "$(grep -E 'cov: ' "$out/log" | tail -1)" # executions, coverage (edges) and features
    else
        printf '== %s: FOUND A FAULT\n%s\n' "$target" "$(tail -40 "$out/log")"
        return 1
    fi
}
export -f run_target
# xargs exits non-zero when any run did.
printf '%s\n' "${targets[@]}" | xargs -P "${FUZZ_PARALLEL:-$(nproc)}" -I{} bash -c 'run_target "$1"' _ {}
