#!/usr/bin/env bash
# Sets up, builds and runs every test: the main build (unit, window and
# real-X tests), then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
jobs=$(nproc)

echo "== main build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== sanitizer build (calculation and chart)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVAN_SANITIZE=ON \
    -DTRELVAN_BUILD_APP=OFF -DTRELVAN_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
