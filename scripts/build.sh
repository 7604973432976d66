#!/usr/bin/env bash
# Configures and builds Kelmora into build/ (or $KELMORA_BUILD_DIR) with Ninja.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELMORA_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" --parallel "$(nproc)"
