#!/usr/bin/env bash
# Sets up, builds and runs every test: the main build (unit, window and
# real-X tests), then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded fuzzing run, then the core tests
# under valgrind memcheck.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
jobs=$(nproc)

echo "== main build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRELVAN_BUILD_APP=ON -DTRELVAN_BUILD_TESTS=ON -DTRELVAN_BUILD_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== sanitizer build (calculation and chart)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVAN_SANITIZE=ON \
    -DTRELVAN_BUILD_APP=OFF -DTRELVAN_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer; 60 s)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTRELVAN_FUZZ=ON \
    -DTRELVAN_BUILD_APP=OFF -DTRELVAN_BUILD_BENCH=OFF -DTRELVAN_BUILD_TESTS=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz_inputs
# The fuzzer adds what it finds to its corpus: work on a copy so the
# repository stays clean; a crash input lands in build-fuzz/artifacts/.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fuzz_corpus=$scratch/corpus
mkdir "$fuzz_corpus"
cp fuzz/corpus/* "$fuzz_corpus"/
mkdir -p build-fuzz/artifacts
build-fuzz/fuzz/fuzz_inputs -max_total_time=60 -max_len=256 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ "$fuzz_corpus"

echo "== valgrind memcheck (calculation, chart and property tests of the main build)"
mapfile -t core_tests < <(find build/tests/calc build/tests/chart build/tests/property \
    -maxdepth 1 -type f -executable | sort)
[ ${#core_tests[@]} -gt 0 ] || { echo "no core test executables in build/tests"; exit 1; }
# The property test keeps to 2,000 designs here: memcheck runs many times slower.
for t in "${core_tests[@]}"; do
    echo "-- $t"
    TRELVAN_PROPERTY_DESIGNS=2000 valgrind --tool=memcheck --error-exitcode=1 \
        --leak-check=full --errors-for-leak-kinds=definite \
        -q "$t" --gtest_brief=1
done
