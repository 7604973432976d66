#!/usr/bin/env bash
# Pictures of the version check's verdicts as a person sees them: runs the
# end-to-end verdict tests on a virtual X display with a window manager
# (tests/support/xsession.py: Xvfb and openbox) and saves each finished
# dialog, window frame included, as OUTDIR/<row>.png. Needs a build of
# test_versioncheck.
#
#   screenshots.sh BUILDDIR OUTDIR
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILDDIR OUTDIR" >&2; exit 2; }
test=$(cd "$1" && pwd)/tests/components/version/test_versioncheck
mkdir -p "$2"
out=$(cd "$2" && pwd)
[ -x "$test" ] || { echo "screenshots.sh: $test is not built" >&2; exit 1; }
python3 "$(dirname "$0")/../../support/xsession.py" --screen 1024x768 -- \
  env KELMORA_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=xcb "$test" verdicts
ls "$out"
