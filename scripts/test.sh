#!/usr/bin/env bash
# Builds and runs every test: the normal build, then the address/undefined-behaviour sanitizer
# build, which also runs each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default
ctest --preset default -j2
scripts/setup.sh sanitize
ctest --preset sanitize -j2
