#!/usr/bin/env bash
# CUPS with a PDF queue for the printing tests. Starts cupsd without systemd
# (or uses the one already running), adds a cups-pdf queue and makes it the
# system default. Each job lands in STATEDIR/cups/pdf as "<title>-job_<id>.pdf"
# (the device URI "cups-pdf:/NAME" makes cups-pdf read cups-pdf-NAME.conf, and
# the PPD's default label suffixes the job id), so every job keeps its file.
#
#   cups.sh start STATEDIR   start, add the queue, write STATEDIR/cups.env
#   cups.sh stop STATEDIR    remove the queue, restore the previous default,
#                            stop the cupsd that start started
#
# Needs root and the packages of scripts/packages/test-print.txt; installs
# nothing itself. Both actions may be repeated; the queue has one fixed name,
# so one state folder at a time.
set -euo pipefail
usage() { echo "usage: $0 start|stop STATEDIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
dir=$state/cups
queue=KelmoraPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
queue_conf=/etc/cups/cups-pdf-$queue.conf
printers_conf=/etc/cups/printers.conf
classes_conf=/etc/cups/classes.conf
job_cache=/var/cache/cups/job.cache
# The tools below must talk to the system scheduler, whatever the caller set.
unset CUPS_SERVER LPDEST PRINTER

fail() {
  echo "cups.sh: $*" >&2
  [ -f "$dir/cupsd.log" ] && { echo "--- $dir/cupsd.log" >&2; tail -n 20 "$dir/cupsd.log" >&2; }
  [ -f /var/log/cups/error_log ] && { echo "--- /var/log/cups/error_log" >&2; tail -n 20 /var/log/cups/error_log >&2; }
  exit 1
}

running() { lpstat -r 2>/dev/null | grep -q "is running"; }
queue_exists() { lpstat -p "$queue" >/dev/null 2>&1; }
# The system default destination, or nothing.
current_default() { lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p'; }
ours_alive() { [ -f "$dir/cupsd.pid" ] && kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; }

start_cupsd() {
  # Remember what start-up itself creates, so that stop can take it away.
  [ -d /run/cups ] || touch "$dir/created-run-dir"
  [ -f "$printers_conf" ] || touch "$dir/created-printers-conf"
  [ -f "$classes_conf" ] || touch "$dir/created-classes-conf"
  [ -f "$job_cache" ] || touch "$dir/created-job-cache"
  mkdir -p /run/cups
  setsid /usr/sbin/cupsd -f </dev/null >"$dir/cupsd.log" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 1 100); do
    running && return 0
    ours_alive || fail "cupsd exited during start-up"
    sleep 0.1
  done
  fail "cupsd did not start"
}

stop_cupsd() {
  [ -f "$dir/cupsd.pid" ] || return 0
  local pid
  pid=$(cat "$dir/cupsd.pid")
  rm -f "$dir/cupsd.pid"
  kill -TERM "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

write_queue_conf() {
  mkdir -p "$dir/pdf"
  chmod 0755 "$dir/pdf"
  cat >"$queue_conf" <<EOF
# Written by Kelmora's scripts/services/cups.sh for its test queue; removed on stop.
Out $dir/pdf
EOF
}

add_queue() {
  # lpadmin warns that PPD drivers are deprecated; keep that out of the way.
  lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" -o TitlePref=1 2>>"$dir/lpadmin.log" \
    || fail "lpadmin could not add $queue: $(cat "$dir/lpadmin.log")"
  lpadmin -d "$queue" 2>>"$dir/lpadmin.log" || fail "lpadmin could not make $queue the default"
  for _ in $(seq 1 50); do
    lpstat -a "$queue" 2>/dev/null | grep -q accepting && return 0
    sleep 0.1
  done
  fail "$queue does not accept jobs"
}

start() {
  [ "$(id -u)" -eq 0 ] || fail "must run as root (cupsd, lpadmin, the cups-pdf backend)"
  for tool in /usr/sbin/cupsd lpadmin lpstat ipptool pdfinfo; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/deps.sh 'test*'"
  done
  if [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -f "$ppd" ]; then
    fail "cups-pdf is missing: run scripts/deps.sh 'test*'"
  fi
  mkdir -p "$dir"
  running || start_cupsd
  if [ ! -f "$dir/previous-default" ]; then
    local previous
    previous=$(current_default)
    [ "$previous" = "$queue" ] && previous=
    printf '%s\n' "$previous" >"$dir/previous-default"
  fi
  write_queue_conf
  add_queue
  cat >"$state/cups.env" <<EOF
KELMORA_CUPS_QUEUE=$queue
KELMORA_CUPS_URI=ipp://localhost:631/printers/$queue
KELMORA_CUPS_PDF_DIR=$dir/pdf
EOF
  echo "CUPS: queue $queue is the default, PDFs in $dir/pdf"
}

# A queue left in printers.conf by a cupsd that died needs a scheduler to go.
remove_queue() {
  if ! running && [ -f "$printers_conf" ] && grep -q "Printer $queue>" "$printers_conf"; then
    start_cupsd
  fi
  running || return 0
  if queue_exists; then
    lpadmin -x "$queue" || true
  fi
  local previous=
  [ -f "$dir/previous-default" ] && previous=$(cat "$dir/previous-default")
  if [ -n "$previous" ] && lpstat -p "$previous" >/dev/null 2>&1 && [ "$(current_default)" != "$previous" ]; then
    lpadmin -d "$previous" || true
  fi
}

forget_created_files() {
  # cupsd writes these even when they hold nothing; drop them when empty.
  if [ -f "$dir/created-printers-conf" ] && ! grep -q "^<" "$printers_conf" 2>/dev/null; then
    rm -f "$printers_conf" "$printers_conf.O"
  fi
  if [ -f "$dir/created-classes-conf" ] && ! grep -q "^<" "$classes_conf" 2>/dev/null; then
    rm -f "$classes_conf" "$classes_conf.O"
  fi
  [ -f "$dir/created-job-cache" ] && rm -f "$job_cache" "$job_cache.O"
  if [ -f "$dir/created-run-dir" ]; then
    rm -rf /run/cups
  fi
}

stop() {
  [ -d "$dir" ] || { rm -f "$state/cups.env"; return 0; }
  remove_queue
  rm -f "$queue_conf" "/var/cache/cups/$queue".*
  if [ -f "$dir/cupsd.pid" ]; then
    stop_cupsd
    forget_created_files
  fi
  rm -rf "$dir" "$state/cups.env"
}

case "$action" in
  start)
    # A failed or interrupted start leaves nothing behind.
    trap 'rc=$?; trap - EXIT; [ "$rc" -eq 0 ] || stop; exit "$rc"' EXIT
    trap 'exit 1' INT TERM
    start
    ;;
  stop) stop ;;
  *) usage ;;
esac
