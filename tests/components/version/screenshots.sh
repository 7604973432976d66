#!/usr/bin/env bash
# Pictures of the version check's verdicts as a person sees them: runs the
# end-to-end verdict tests on a virtual X display with a window manager
# (xvfb-run, openbox) and saves each finished dialog, window frame included,
# as OUTDIR/<row>.png. Needs a build of test_versioncheck.
#
#   screenshots.sh BUILDDIR OUTDIR
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILDDIR OUTDIR" >&2; exit 2; }
test=$(cd "$1" && pwd)/tests/components/version/test_versioncheck
mkdir -p "$2"
out=$(cd "$2" && pwd)
[ -x "$test" ] || { echo "screenshots.sh: $test is not built" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  openbox & wm=$!
  sleep 1
  KELMORA_SCREENSHOT_DIR="$2" QT_QPA_PLATFORM=xcb "$1" verdicts
  status=$?
  kill "$wm"
  exit $status' screenshots "$test" "$out"
ls "$out"
