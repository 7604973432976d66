#!/usr/bin/env bash
# End to end: the real program under Xvfb with openbox, driven by real X
# input (xdotool) on a Turkish keyboard layout. Opens Help > Hakkında, lets
# the credits scroll, brings up the team panel with Ctrl+Alt+T, takes a
# screenshot of the box, hides the panel again and closes the box with Esc.
# The screenshots are kept as $2/about.png (the box) and $2/about-screen.png
# (the whole screen: the box with its title bar over the frame).
#
# usage: about.sh KELMORA_BINARY OUTPUT_DIR
set -euo pipefail
bin=$1
out=$2
mkdir -p "$out"
xsession=$(cd "$(dirname "$0")/../support" && pwd)/xsession.py
# Turkish Q: a layout with AltGr (the right Alt types ₺ with T).
if [ -z "${KELMORA_E2E_INNER:-}" ]; then
  exec env KELMORA_E2E_INNER=1 python3 "$xsession" --screen 1024x768 --layout tr -- bash "$0" "$@"
fi
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/app.log" ] && sed 's/^/  app: /' "$work/app.log" >&2
  exit 1
}

# wait_for SECONDS COMMAND...: retries the command every 0.2 s.
wait_for() {
  local limit=$1
  shift
  local tries=$((limit * 5))
  for _ in $(seq "$tries"); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.2
  done
  return 1
}

caption='TORVANTA Kelmora s1.06'
# The about box: the window with that caption and the box's client size.
about_window() {
  local w
  for w in $(xdotool search --name "^$caption\$" 2>/dev/null); do
    if xdotool getwindowgeometry "$w" | grep -q 'Geometry: 430x460'; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# share SHOT X Y W H COLOUR: the share (0..1) of the area's pixels of exactly COLOUR.
share() {
  convert-im6.q16 "$1" -crop "$4x$5+$2+$3" +repage -alpha off -fill black +opaque "$6" -fill white -opaque "$6" \
    -colorspace Gray -format '%[fx:mean]' info:
}

above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Turkish number grouping for the memory figure.
LANG=tr_TR.UTF-8 LC_CTYPE=C.UTF-8 "$bin" >"$work/app.log" 2>&1 &
pids+=($!)
python3 "$xsession" window --timeout 20 --pid "${pids[0]}" "$caption" >/dev/null || fail "the frame did not appear"
sleep 1
xdotool key alt+y
sleep 0.5
xdotool key Return
wait_for 10 about_window || fail "Help > Hakkında did not open the about box"
box=$(about_window)

# Credits mid-scroll: about 120 of their pixels in after six seconds.
sleep 6
xdotool key ctrl+alt+t
sleep 3
import-im6.q16 -window "$box" "$work/shown.png"
cp "$work/shown.png" "$out/about.png"
import-im6.q16 -window root "$out/about-screen.png"

# Team panel (1,216 144x224): navy with white lines, over the picture.
navy=$(share "$work/shown.png" 1 216 144 224 '#000080')
above "$navy" 0.6 || fail "team panel not shown after Ctrl+Alt+T (navy share $navy)"
white=$(share "$work/shown.png" 1 246 144 194 '#FFFFFF')
above "$white" 0.005 || fail "team panel shows no lines (white share $white)"
# Credits (Panel1 at 146,36; the panel at 16,64 255x214): lime text on black.
lime=$(share "$work/shown.png" 162 130 255 148 '#00FF00')
black=$(share "$work/shown.png" 162 130 255 148 '#000000')
above "$lime" 0.01 || fail "no credits scrolling (lime share $lime)"
above "$black" 0.5 || fail "credits panel not black (black share $black)"

xdotool key ctrl+alt+t
sleep 0.5
import-im6.q16 -window "$box" "$work/hidden.png"
navy=$(share "$work/hidden.png" 1 216 144 224 '#000080')
above 0.05 "$navy" || fail "team panel still shown after a second Ctrl+Alt+T (navy share $navy)"

xdotool key Escape
wait_for 5 bash -c "! xdotool search --name '^$caption\$' | while read -r w; do xdotool getwindowgeometry \$w; done | grep -q 'Geometry: 430x460'" \
  || fail "Esc did not close the about box"
kill -0 "${pids[0]}" 2>/dev/null || fail "the program ended"
echo "about box end to end: passed; screenshot $out/about.png"
