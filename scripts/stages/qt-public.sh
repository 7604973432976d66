#!/usr/bin/env bash
# Builds Kelmora on Qt's public API alone (-DKELMORA_QT_PRIVATE=OFF) in its own
# build folder, checks from the compiler's recorded dependencies that no
# object includes a Qt private header (scripts/private-headers.sh), and runs
# the test suite there, so that the build for any Qt 6 cannot rot behind the
# default one. scripts/test.sh runs it after CTest, with the test services
# still up; anything the tests report, or one private header, fails the stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build-qt-public
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMORA_QT_PRIVATE=OFF \
  -DKELMORA_WERROR=ON
cmake --build "$build" -j "$(nproc)"
bash "$top/scripts/private-headers.sh" "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 900 -j "$(nproc)"
