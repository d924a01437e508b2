#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tricala on its shipped history.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRICALA_BENCH=OFF
cmake --build build --target tricala
exec build/app/tricala
