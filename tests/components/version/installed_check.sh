#!/usr/bin/env bash
# The version check of an installed Kelmora, the way a user runs it: starts
# the program on a virtual X display with a window manager, picks "Program
# Sürümünü Kontrol Et" from the Help menu with real key presses and saves the
# screen. The maker's FTP host name is pointed at a pyftpdlib server on
# 127.0.0.1:21 inside private mount and network namespaces, so nothing outside
# this script sees the changed /etc/hosts or the server. Needs root
# (unshare, the namespaces, port 21); the program runs as USER.
#
#   installed_check.sh PROGRAM OUTDIR [LIST [USER]]
#
# LIST is the served version list as printf reads it (default 'KZQ1,1.07\r\n').
# Afterwards OUTDIR/screen.png shows the dialog; the script prints where the
# program saved the list (next to the program when it may write there, else
# in USER's cache folder, OUTDIR/home/.cache/kelmora).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PROGRAM OUTDIR [LIST [USER]]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "installed_check.sh: must run as root" >&2; exit 1; }
prog=$(readlink -f "$1")
mkdir -p "$2"
out=$(cd "$2" && pwd)
list=${3:-'KZQ1,1.07\r\n'}
user=${4:-nobody}
host=ftp.torvanta.com.tr # identity::ftpHost()

if [ "${KELMORA_IN_NAMESPACE:-}" != 1 ]; then
  KELMORA_IN_NAMESPACE=1 exec unshare --mount --net "$0" "$@"
fi

ip link set lo up
printf '127.0.0.1 localhost %s\n' "$host" > "$out/hosts"
mount --bind "$out/hosts" /etc/hosts
rm -rf "${out:?}/root" "${out:?}/home"
mkdir -p "$out/root" "$out/home"
printf "$list" > "$out/root/version.dll"
chown "$user" "$out/home"
rm -f "$(dirname "$prog")/Vers.kvk"

/usr/bin/python3 - "$out/root" > "$out/ftp.log" 2>&1 <<'PY' &
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
authorizer = DummyAuthorizer()
authorizer.add_user("kvprg", "ptmox", sys.argv[1], perm="elr")
FTPHandler.authorizer = authorizer
FTPServer(("127.0.0.1", 21), FTPHandler).serve_forever()
PY
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
sleep 1

# Each step waits for what it needs (the frame, the saved list) rather than
# for a fixed time: a user's first start builds the font cache, which can take
# seconds on a loaded machine.
status=0
xsession=$(cd "$(dirname "$0")/../../support" && pwd)/xsession.py
python3 "$xsession" --screen 1024x768 -- bash -c '
  prog=$1; out=$2; user=$3; xsession=$4
  cp "$XAUTHORITY" "$out/home/.Xauthority"
  chown "$user" "$out/home/.Xauthority"
  # What a desktop session gives a program it starts, and nothing of the
  # caller'"'"'s (a test run'"'"'s QT_QPA_PLATFORM=offscreen would hide the frame).
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$out/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    XAUTHORITY="$out/home/.Xauthority" "$prog" > "$out/kelmora.log" 2>&1 & app=$!
  trap "kill \$app 2>/dev/null || true" EXIT
  if ! wid=$(python3 "$xsession" window --prefix --timeout 60 --pid "$app" "TORVANTA Kelmora s"); then
    import -window root "$out/screen.png" 2>/dev/null || true
    echo "installed_check.sh: no frame within 60 s of starting $prog" >&2
    exit 1
  fi
  sleep 1                        # the splash has gone, the menus are live
  xdotool windowactivate --sync "$wid" 2>/dev/null || true
  xdotool key alt+y; sleep 0.5   # Yardım
  xdotool key Up; sleep 0.3      # its last item, Program Sürümünü Kontrol Et
  xdotool key Return
  # The check starts one second after the dialog; the list is saved, then
  # the dialog shows the result.
  for ((i = 0; i < 120; i++)); do
    [ -f "$out/home/.cache/kelmora/Vers.kvk" ] && break
    [ -f "$(dirname "$prog")/Vers.kvk" ] && break
    sleep 0.25
  done
  sleep 1
  import -window root "$out/screen.png"' installed_check "$prog" "$out" "$user" "$xsession" || status=$?

for saved in "$(dirname "$prog")/Vers.kvk" "$out/home/.cache/kelmora/Vers.kvk"; do
  [ -f "$saved" ] && echo "list saved as $saved"
done
echo "screen: $out/screen.png"
if [ "$status" -ne 0 ]; then
  echo "the program's output:" >&2
  cat "$out/kelmora.log" >&2 || true
fi
exit "$status"
