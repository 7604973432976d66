#!/usr/bin/env bash
# Installs what is missing, builds Kelmora and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh" build runtime
bash "$top/scripts/build.sh"
exec "${KELMORA_BUILD_DIR:-$top/build}/src/app/kelmora"
