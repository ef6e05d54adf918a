#!/usr/bin/env bash
# Installs what mewt needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh --app
exec build/bin/mewt "$@"
