#!/usr/bin/env bash
# Installs what is missing, builds the benchmark suite (release) and runs it
# on the shipped history and on a synthetic store of 100,000 records.
# Extra arguments go to Google Benchmark, e.g. --benchmark_filter=Scan.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRICALA_BENCH=ON
cmake --build build --target tricala_bench
exec build/bench/tricala_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$@"
