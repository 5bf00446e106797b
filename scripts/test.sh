#!/usr/bin/env bash
# Sets up, builds and runs every test: the main build (unit, window, real-X
# and package tests), then the calculation and chart tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a bounded fuzzing run,
# then the core tests under valgrind memcheck. Each stage has its own build
# folder (CMakePresets.json). A skipped test fails the run: the set-up
# installs everything every test needs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Sanitizer findings are reported with source lines: the symbolizer of clang's own LLVM.
ASAN_SYMBOLIZER_PATH=$(dirname "$(readlink -f "$(command -v clang++)")")/llvm-symbolizer
[ -x "$ASAN_SYMBOLIZER_PATH" ] || { echo "test.sh: no $ASAN_SYMBOLIZER_PATH" >&2; exit 1; }
export ASAN_SYMBOLIZER_PATH

# Runs a test preset; fails when any test failed or did not run. CTest's JUnit file
# (build/<preset>/ctest-junit.xml, also read by the fresh-machine check) says which ran.
# shellcheck source=scripts/lib/tests-ran.sh
source scripts/lib/tests-ran.sh
run_tests() {
    local preset=$1 junit=$PWD/build/$1/ctest-junit.xml
    rm -f "$junit"
    ctest --preset "$preset" -j "$(nproc)" --output-junit "$junit"
    every_test_ran "$junit" "test.sh: the $preset stage" ||
        { echo "test.sh: not every test ran in the $preset stage" >&2; return 1; }
}

echo "== main build (preset tests)"
cmake --preset tests
cmake --build --preset tests
run_tests tests

echo "== sanitizer build (preset sanitize: calculation and chart)"
cmake --preset sanitize
cmake --build --preset sanitize
run_tests sanitize

echo "== fuzzing (preset fuzz: libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer; 30 s on each core)"
cmake --preset fuzz
cmake --build --preset fuzz
# The fuzzer adds what it finds to its corpus: work on a copy so the
# repository stays clean; a crash input lands in build/fuzz/artifacts/.
fuzz_corpus=$scratch/corpus
mkdir "$fuzz_corpus"
cp fuzz/corpus/* "$fuzz_corpus"/
fuzz_artifacts=$PWD/build/fuzz/artifacts/
mkdir -p "$fuzz_artifacts"
# One fuzzer on each core, sharing the corpus; a crash in any fails the stage.
# Each writes its log to fuzz-<n>.log where it runs, the scratch folder, and
# the fuzzer that starts them prints them all as they end.
fuzzer=$PWD/build/fuzz/fuzz/fuzz_inputs
cores=$(nproc)
(cd "$scratch" && "$fuzzer" -jobs="$cores" -workers="$cores" -max_total_time=30 -max_len=256 \
    -print_final_stats=1 -artifact_prefix="$fuzz_artifacts" "$fuzz_corpus")

echo "== valgrind memcheck (calculation, chart and property tests of the main build)"
mapfile -t core_tests < <(find build/tests/tests/calc build/tests/tests/chart \
    build/tests/tests/property -maxdepth 1 -type f -executable | sort)
[ ${#core_tests[@]} -gt 0 ] || { echo "no core test executables in build/tests/tests"; exit 1; }
# The property test keeps to 2,000 designs here: memcheck runs many times slower.
for t in "${core_tests[@]}"; do
    echo "-- $t"
    TRELVAN_PROPERTY_DESIGNS=2000 valgrind --tool=memcheck --error-exitcode=1 \
        --leak-check=full --errors-for-leak-kinds=definite \
        -q "$t" --gtest_brief=1
done
echo "test.sh: every stage passed"
