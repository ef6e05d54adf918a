#!/usr/bin/env bash
# Configures and builds mewt. Usage: scripts/build.sh [--sanitize | --app]
# --app builds only the app and its icons, for a quick first start; the tests and benchmarks are
# built by the test and bench scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
# Our own builds compile the benchmarks too, so they never rot; a packager's plain build skips them.
# Tests are asked for by name: this folder may once have been configured without them.
dir=build; flags=(-DBUILD_TESTING=ON -DMEWT_BUILD_TESTS=ON -DMEWT_BUILD_BENCHMARKS=ON); targets=()
case "${1:-}" in
  --sanitize) dir=build-sanitize
    flags=(-DBUILD_TESTING=ON -DMEWT_BUILD_TESTS=ON -DMEWT_SANITIZE=ON -DMEWT_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
  --app) targets=(--target mewt mewt_icons) ;;
esac
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
