#!/usr/bin/env bash
# Configures and builds mewt. Usage: scripts/build.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
# Our own builds compile the benchmarks too, so they never rot; a packager's plain build skips them.
dir=build; flags=(-DMEWT_BUILD_BENCHMARKS=ON)
if [ "${1:-}" = --sanitize ]; then
  dir=build-sanitize; flags=(-DMEWT_SANITIZE=ON -DMEWT_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
