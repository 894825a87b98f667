#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a plain build
# and once under AddressSanitizer and UBSan; then fuzzes the readers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

bash scripts/build.sh build
(cd build && ctest --output-on-failure -j"$jobs" --timeout 300)

bash scripts/build.sh build-asan -DZM_SANITIZE=ON -DZM_BENCHMARKS=OFF
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 600 -LE nosan)

# Every reader of outside files under libFuzzer: the corpora replayed and
# each target fuzzed for a short while (a clang build of its own).
unset ASAN_OPTIONS UBSAN_OPTIONS
bash scripts/fuzz.sh
