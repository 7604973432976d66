#!/usr/bin/env bash
# Builds the about box's tests with ThreadSanitizer in their own build folder
# and runs them (CTest label "about"): the scrolling panels step on threads of
# their own, and no panel thread may outlive its panel or its box. Any race,
# thread leak or other sanitizer report fails the stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build-tsan-about
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMORA_TSAN=ON \
  -DKELMORA_WERROR=ON -DKELMORA_BENCH=OFF
cmake --build "$build" -j 2 --target test_scrolllayout test_secretpanel test_aboutbox
# Qt itself is not built with the sanitizer; what it does inside its own
# libraries is left to it (see the suppressions file), our code is not.
export TSAN_OPTIONS="halt_on_error=1 report_thread_leaks=1 second_deadlock_stack=1 suppressions=$top/scripts/stages/about-tsan.supp"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest -L about --output-on-failure --timeout 900
