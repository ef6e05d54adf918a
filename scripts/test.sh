#!/usr/bin/env bash
# Installs what mewt needs, builds it and runs every test. Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
dir=build; [ "${1:-}" = --sanitize ] && dir=build-sanitize
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
# Test programs that need a session bus start their own; this one keeps every other test off the
# user's bus too.
exec dbus-run-session -- ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)"
