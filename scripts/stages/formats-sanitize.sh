#!/usr/bin/env bash
# Builds the document-format tests and kelmora-doc with AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder and runs them (CTest
# label "formats"). Any sanitizer report fails the stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build-sanitize-formats
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMORA_SANITIZE=ON \
  -DKELMORA_WERROR=ON -DKELMORA_GUI=OFF -DKELMORA_BENCH=OFF
# Without the widgets the build holds the formats, their tests and
# kelmora-doc (and the small FTP and base libraries), so a new format test
# is built here without being named.
cmake --build "$build" -j 2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest -L formats --output-on-failure --timeout 900
