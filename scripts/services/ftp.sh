#!/usr/bin/env bash
# Two real FTP servers for the FTP client's tests, on loopback high ports:
# vsftpd (standalone, active mode, virtual user through pam_userdb) and a
# pyftpdlib server. Both serve one read-only folder holding "version.dll" and a
# several-MB "large.bin" to the user kvprg with password ptmox.
#
#   ftp.sh start STATEDIR   start both, wait until they greet, write STATEDIR/ftp.env
#   ftp.sh stop STATEDIR    stop what start started (by process group id)
#
# Needs root (vsftpd's chroot and its PAM service file in /etc/pam.d) and the
# packages of scripts/packages/test-ftp.txt; installs nothing itself.
set -euo pipefail
usage() { echo "usage: $0 start|stop STATEDIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
dir=$state/ftp
py=/usr/bin/python3 # Debian's interpreter: the one python3-pyftpdlib is installed for
user=kvprg
password=ptmox
# One PAM service per state folder, so that parallel runs do not share it.
pam_name=kelmora-ftp-$(printf '%s' "$dir" | md5sum | cut -c1-12)

fail() {
  echo "ftp.sh: $*" >&2
  for log in "$dir"/*.log; do
    [ -f "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

free_port() {
  "$py" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Succeeds once the server on port $1 has sent a complete 220 greeting.
greets() {
  "$py" - "$1" <<'EOF'
import socket, sys
try:
    with socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=2) as s:
        data = b""
        while True:
            chunk = s.recv(4096)
            if not chunk:
                sys.exit(1)
            data += chunk
            if any(l.startswith(b"220 ") for l in data.split(b"\r\n")):
                sys.exit(0)
except OSError:
    sys.exit(1)
EOF
}

wait_greeting() { # name port pidfile
  for _ in $(seq 1 100); do
    greets "$2" && return 0
    kill -0 "$(cat "$3")" 2>/dev/null || fail "$1 exited during start-up"
    sleep 0.2
  done
  fail "$1 did not answer on port $2"
}

make_served_folder() {
  local root=$dir/root
  mkdir -p "$root"
  # Every byte value, CR LF and NUL: a text-mode transfer would show.
  "$py" -c 'import sys; sys.stdout.buffer.write(bytes(range(256)) * 4 + b"s1.06\r\n\x00\n\r")' \
    > "$root/version.dll"
  head -c $((6 * 1024 * 1024 + 4321)) /dev/urandom > "$root/large.bin"
  chown -R root:root "$root"
  chmod 0444 "$root"/*
  chmod 0555 "$root" # vsftpd refuses a writable chroot
}

start_vsftpd() {
  local port=$1
  "$py" -c 'import dbm.ndbm, sys; db = dbm.ndbm.open(sys.argv[1], "n"); db[sys.argv[2]] = sys.argv[3]; db.close()' \
    "$dir/users" "$user" "$password"
  printf 'auth required pam_userdb.so db=%s\naccount required pam_permit.so\n' "$dir/users" \
    > "/etc/pam.d/$pam_name"
  mkdir -p "$dir/empty" && chmod 0555 "$dir/empty"
  printf 'Kelmora test server (vsftpd)\nread-only, user %s\n' "$user" > "$dir/banner.txt"
  cat > "$dir/vsftpd.conf" <<EOF
listen=YES
listen_ipv6=NO
background=NO
listen_address=127.0.0.1
listen_port=$port
anonymous_enable=NO
local_enable=YES
guest_enable=YES
guest_username=ftp
local_root=$dir/root
chroot_local_user=YES
write_enable=NO
port_enable=YES
connect_from_port_20=NO
pasv_enable=NO
seccomp_sandbox=NO
delay_failed_login=0
pam_service_name=$pam_name
secure_chroot_dir=$dir/empty
banner_file=$dir/banner.txt
xferlog_enable=YES
xferlog_std_format=NO
log_ftp_protocol=YES
vsftpd_log_file=$dir/vsftpd-protocol.log
EOF
  chown root:root "$dir/vsftpd.conf"
  chmod 0600 "$dir/vsftpd.conf"
  # vsftpd reports start-up errors on descriptor 0.
  setsid vsftpd "$dir/vsftpd.conf" 0<>"$dir/vsftpd.log" >>"$dir/vsftpd.log" 2>&1 &
  echo $! > "$dir/vsftpd.pid"
}

start_pyftpd() {
  cat > "$dir/pyftpd.py" <<'EOF'
import os, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password, port_file = sys.argv[1:5]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elr")
FTPHandler.authorizer = authorizer
FTPHandler.auth_failed_timeout = 0  # answer a wrong password at once
server = FTPServer(("127.0.0.1", 0), FTPHandler)
with open(port_file + ".tmp", "w") as f:
    f.write(str(server.socket.getsockname()[1]))
os.replace(port_file + ".tmp", port_file)
server.serve_forever()
EOF
  rm -f "$dir/pyftpd.port"
  setsid "$py" "$dir/pyftpd.py" "$dir/root" "$user" "$password" "$dir/pyftpd.port" \
    </dev/null >"$dir/pyftpd.log" 2>&1 &
  echo $! > "$dir/pyftpd.pid"
  for _ in $(seq 1 100); do
    [ -s "$dir/pyftpd.port" ] && return 0
    kill -0 "$(cat "$dir/pyftpd.pid")" 2>/dev/null || fail "pyftpdlib exited during start-up"
    sleep 0.1
  done
  fail "pyftpdlib did not report its port"
}

stop_one() { # pidfile
  [ -f "$1" ] || return 0
  local pid
  pid=$(cat "$1")
  rm -f "$1"
  kill -TERM -- "-$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 -- "-$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL -- "-$pid" 2>/dev/null || true
}

start() {
  [ "$(id -u)" -eq 0 ] || fail "must run as root (vsftpd chroot, /etc/pam.d)"
  command -v vsftpd >/dev/null || fail "vsftpd is missing: run scripts/deps.sh 'test*'"
  "$py" -c 'import pyftpdlib' 2>/dev/null || fail "python3-pyftpdlib is missing: run scripts/deps.sh 'test*'"
  mkdir -p "$dir"
  make_served_folder
  local vport
  vport=$(free_port)
  start_vsftpd "$vport"
  start_pyftpd
  local pport
  pport=$(cat "$dir/pyftpd.port")
  wait_greeting vsftpd "$vport" "$dir/vsftpd.pid"
  wait_greeting pyftpdlib "$pport" "$dir/pyftpd.pid"
  cat > "$state/ftp.env" <<EOF
KELMORA_VSFTPD_PORT=$vport
KELMORA_PYFTPD_PORT=$pport
KELMORA_FTP_ROOT=$dir/root
KELMORA_FTP_USER=$user
KELMORA_FTP_PASSWORD=$password
EOF
  echo "FTP test servers: vsftpd on 127.0.0.1:$vport, pyftpdlib on 127.0.0.1:$pport"
}

stop() {
  stop_one "$dir/vsftpd.pid"
  stop_one "$dir/pyftpd.pid"
  rm -f "/etc/pam.d/$pam_name" "$state/ftp.env"
}

case "$action" in
  start) trap 'stop' ERR; start ;;
  stop) stop ;;
  *) usage ;;
esac
