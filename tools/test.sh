#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite in a
# release build, again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a bounded fuzzing run of the results page reader.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --tests
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --timeout 300 -j"$jobs"

echo "== sanitizer build and tests"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRICALA_SANITIZE=ON -DTRICALA_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure --timeout 600 -j"$jobs"

echo "== fuzzing the results page reader"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRICALA_FUZZ=ON -DTRICALA_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
cmake --build build-fuzz -j"$jobs" --target page_scan_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/corpus/* "$corpus"/
build-fuzz/tests/fuzz/page_scan_fuzzer -max_total_time="${TRICALA_FUZZ_SECONDS:-120}" -timeout=10 \
    -rss_limit_mb=2048 -max_len=262144 -print_final_stats=1 "$corpus" 2>&1 | tail -n 15
echo "fuzzing: no crash, no hang"
