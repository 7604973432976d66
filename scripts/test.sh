#!/usr/bin/env bash
# Installs what is missing, builds Kelmora with warnings as errors and runs the
# whole test suite headless: the unit and GUI tests under CTest against the
# real peers they need (CUPS, FTP servers, LibreOffice), then the extra stages
# of scripts/stages: the sanitizer builds, the bounded fuzz runs, the package,
# and the build on Qt's public API alone with the whole suite run again on it.
#
# KELMORA_QUICK=1 skips the extra stages.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELMORA_BUILD_DIR:-$top/build}
export QT_QPA_PLATFORM=offscreen

bash "$top/scripts/deps.sh" build runtime 'test*'
# The public-API stage builds the same sources again in its own folder: one
# compiler cache for both (paths taken relative to the checkout) turns most of
# that second build into cache hits. A launcher set by the caller wins.
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$top CCACHE_NOHASHDIR=true
fi
KELMORA_BUILD_DIR=$build bash "$top/scripts/build.sh" -DKELMORA_WERROR=ON

# Services the tests talk to; each writes NAME=value lines into its .env file.
state=$(mktemp -d /tmp/kelmora-services.XXXXXX)
started=()
stop_services() {
  for s in "${started[@]}"; do bash "$s" stop "$state" || true; done
  rm -rf "$state"
}
trap stop_services EXIT
for s in "$top"/scripts/services/*.sh; do
  [ -f "$s" ] || continue
  echo "Starting service $(basename "$s" .sh)"
  bash "$s" start "$state"
  started=("$s" "${started[@]}")
done
for envfile in "$state"/*.env; do
  [ -f "$envfile" ] || continue
  set -a; . "$envfile"; set +a
done

(cd "$build" && ctest --output-on-failure --timeout 600 -j "$(nproc)")

if [ "${KELMORA_QUICK:-0}" != 1 ]; then
  for stage in "$top"/scripts/stages/*.sh; do
    [ -f "$stage" ] || continue
    echo "Running stage $(basename "$stage" .sh)"
    bash "$stage"
  done
fi
echo "All tests passed."
