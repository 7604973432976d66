#!/usr/bin/env bash
# The Debian package the way a user gets it. Builds it (scripts/package.sh),
# installs it with apt, validates the installed desktop entry and catalogue
# entry, checks that no path of the source or build tree is baked into what
# it installed, starts the installed /usr/bin/kelmora on a virtual display with
# a window manager from an empty folder with an empty HOME, waits for the frame
# "TORVANTA Kelmora s<version>", closes it with Alt+F4, purges the package and
# checks that none of its files is left.
#
# Needs root. The machine's packages are left as they were found, also when a
# step fails: kelmora is purged, and so is anything apt pulled in with it.
# A failure names its step; when the frame does not show, the display is kept
# as build-package/package-stage.png next to the program's output.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
self="$top/scripts/stages/package.sh"
build=${KELMORA_PACKAGE_BUILD_DIR:-$top/build-package}
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "package stage: $*" >&2
  exit 1
}

# --- On the virtual display (the stage runs itself again on a fresh X session
# with a window manager: tests/support/xsession.py) -------------------------

xsession=$top/tests/support/xsession.py
app=
on_display() {
  local run=$1 caption=$2 wid i status
  trap 'kill $app 2>/dev/null || true' EXIT

  # The environment a desktop session gives a program it starts, with an
  # empty home; strace records every file the program touches.
  (cd "$run/work" && exec strace -f -qq -e trace=%file -o "$run/files.log" \
    env -i PATH=/usr/bin:/bin HOME="$run/home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$run/xdg-runtime" \
    DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" /usr/bin/kelmora) > "$run/kelmora.log" 2>&1 &
  app=$!

  if ! wid=$(python3 "$xsession" window --timeout 30 --pid "$app" "$caption"); then
    import -window root "$run/screen.png" 2>/dev/null || true
    fail "no visible window titled \"$caption\" within 30 s of starting /usr/bin/kelmora; program output:
$(cat "$run/kelmora.log")"
  fi
  echo "The installed program shows its frame \"$caption\" (window $wid)"

  xdotool windowactivate --sync "$wid" 2>/dev/null || true
  xdotool key --clearmodifiers alt+F4
  for ((i = 0; i < 60; i++)); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.25
  done
  if kill -0 "$app" 2>/dev/null; then
    import -window root "$run/screen.png" 2>/dev/null || true
    kill "$app" 2>/dev/null || true
    fail "the program did not end within 15 s of Alt+F4 on its frame"
  fi
  status=0
  wait "$app" || status=$?
  app=
  [ "$status" -eq 0 ] || fail "the program ended with status $status after Alt+F4; its output:
$(cat "$run/kelmora.log")"
  echo "Alt+F4 closed it; it ended with status 0"
}

if [ "${1:-}" = --on-display ]; then
  on_display "$2" "$3"
  exit 0
fi

# --- The stage --------------------------------------------------------------

[ "$(id -u)" -eq 0 ] || fail "must run as root (it installs and purges the package)"
bash "$top/scripts/deps.sh" build runtime package test-package

installed_packages() {
  dpkg-query -W -f '${binary:Package} ${db:Status-Status}\n' | awk '$2 != "not-installed" { print $1 }' | sort
}
kelmora_status() {
  dpkg-query -W -f '${db:Status-Status}' kelmora 2>/dev/null || true
}
# One package stage at a time on this machine: a second one (another clone's
# CI run) waits here instead of finding this one's kelmora installed.
exec 9> /run/lock/kelmora-package-stage.lock
if ! flock -n 9; then
  echo "package stage: another package stage is running on this machine; waiting for it"
  flock 9
fi
# The stage notes here that the kelmora on this machine is its own, until it
# has purged it. A note left behind means a stage was killed before it could
# clean up: that kelmora is a test build and goes. A kelmora without the note
# was installed by someone else and stays.
mark=/var/lib/kelmora-package-stage.installed
status=$(kelmora_status)
case "$status" in
  '' | not-installed) rm -f "$mark" ;;
  *)
    if [ -f "$mark" ]; then
      echo "package stage: purging the kelmora an interrupted stage left installed ($(cat "$mark"))"
      apt-get purge -y -qq kelmora > /dev/null || fail "could not purge the kelmora an interrupted stage left"
      rm -f "$mark"
    else
      fail "kelmora is already on this machine (dpkg status \"$status\"); this stage installs its own build" \
        "and purges it afterwards, so remove it first: apt-get purge kelmora"
    fi
    ;;
esac

tmp=$(mktemp -d /tmp/kelmora-package.XXXXXX)
chmod 755 "$tmp" # apt reads the package as the _apt user
installed_packages > "$tmp/packages-before"
step="building the package"
cleanup() {
  local rc=$? new
  trap - EXIT
  if [ "$rc" -ne 0 ]; then
    echo "package stage FAILED while ${step}" >&2
  fi
  case "$(kelmora_status)" in
    '' | not-installed) ;;
    *) apt-get purge -y -qq kelmora > /dev/null || { echo "package stage: could not purge kelmora" >&2; rc=1; } ;;
  esac
  installed_packages > "$tmp/packages-after"
  new=$(comm -13 "$tmp/packages-before" "$tmp/packages-after" | tr '\n' ' ')
  if [ -n "${new// /}" ]; then
    echo "package stage: purging what apt installed with kelmora: $new"
    # shellcheck disable=SC2086 # one package per word
    apt-get purge -y -qq $new > /dev/null || { echo "package stage: could not purge $new" >&2; rc=1; }
  fi
  case "$(kelmora_status)" in
    '' | not-installed) rm -f "$mark" ;;
  esac
  rm -rf "$tmp"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Its output goes on to this stage's own stderr through the descriptor it was
# given: opening its file anew by name would truncate a log file behind it.
bash "$top/scripts/package.sh" -DKELMORA_WERROR=ON | tee "$tmp/package.log" >&2
deb=$(tail -n 1 "$tmp/package.log")
version=$(dpkg-deb -f "$deb" Version)
caption="TORVANTA Kelmora s$version" # identity::frameCaption()
echo "Built $deb"
dpkg-deb -f "$deb" Package Version Depends

# What the package holds, and which of those paths (shared folders) were
# already there: those must still be there afterwards, all others gone.
step="listing the package's contents"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v '^$' | sort > "$tmp/contents"
while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done < "$tmp/contents" > "$tmp/there-before"

step="installing the package with apt"
cp "$deb" "$tmp/kelmora.deb"
chmod 644 "$tmp/kelmora.deb"
printf 'installed by the package stage of %s, pid %s, %s\n' "$top" "$$" "$(date -u +%FT%TZ)" > "$mark"
apt-get install -y -qq --no-install-recommends "$tmp/kelmora.deb" > "$tmp/apt-install.log" 2>&1 ||
  fail "apt-get install failed:
$(cat "$tmp/apt-install.log")"
[ "$(kelmora_status)" = installed ] || fail "apt-get install ran, but dpkg says kelmora is \"$(kelmora_status)\""
dpkg -L kelmora | grep -vx '/\.' | sort > "$tmp/listed"
echo "Installed kelmora $version: $(wc -l < "$tmp/listed") paths"

step="checking the installed files"
for f in /usr/bin/kelmora /usr/share/applications/kelmora.desktop \
  /usr/share/metainfo/tr.com.torvanta.kelmora.metainfo.xml /usr/share/doc/kelmora/copyright \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/kelmora.png \
  /usr/share/icons/hicolor/scalable/apps/kelmora.svg; do
  grep -qxF "$f" "$tmp/listed" || fail "the package does not install $f"
  [ -s "$f" ] || fail "$f is listed by dpkg -L kelmora but missing or empty"
done
[ -x /usr/bin/kelmora ] || fail "/usr/bin/kelmora is not executable"
# Nothing the program could read at run time names the tree it was built from.
files=()
while read -r path; do
  if [ -f "$path" ]; then files+=("$path"); fi
done < "$tmp/listed"
baked=$(grep -laF -e "$top" -e "$build" "${files[@]}" || true)
[ -z "$baked" ] || fail "installed files name the source or build tree ($top): $baked"
if readelf -d /usr/bin/kelmora | grep -qE 'RPATH|RUNPATH'; then
  fail "/usr/bin/kelmora carries a library search path: $(readelf -d /usr/bin/kelmora | grep -E 'RPATH|RUNPATH')"
fi
echo "Installed files complete; none names $top"

step="validating the desktop entry"
entry=/usr/share/applications/kelmora.desktop
out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $entry failed:
$out"
[ -z "$out" ] || fail "desktop-file-validate $entry reports:
$out"
# The program opens no file given to it: the entry must not offer any.
if grep -qE '^MimeType=|^Exec=.*%[fFuU]' "$entry"; then
  fail "$entry offers files to a program that takes no arguments: $(grep -E '^MimeType=|^Exec=' "$entry" | tr '\n' ' ')"
fi
echo "desktop-file-validate $entry: no findings"

step="validating the catalogue entry"
metainfo=/usr/share/metainfo/tr.com.torvanta.kelmora.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate --no-net $metainfo failed:
$out"
if printf '%s\n' "$out" | grep -qE '^[EWI]: '; then
  fail "appstreamcli validate --no-net $metainfo reports:
$out"
fi
echo "appstreamcli validate --no-net $metainfo: $(printf '%s\n' "$out" | grep -v '^$' | tail -n 1)"
# The catalogue entry, the desktop entry and the icons as one installed tree.
mkdir "$tmp/root"
dpkg-deb -x "$deb" "$tmp/root"
out=$(appstreamcli validate-tree --no-net "$tmp/root" 2>&1) || fail "appstreamcli validate-tree --no-net failed:
$out"
if printf '%s\n' "$out" | grep -qE '^[EWI]: '; then
  fail "appstreamcli validate-tree --no-net reports:
$out"
fi
echo "appstreamcli validate-tree --no-net (the package's files): $(printf '%s\n' "$out" | grep -v '^$' | tail -n 1)"

step="running the installed program"
run=$tmp/run
mkdir -p "$run/work" "$run/home" "$run/xdg-runtime"
chmod 700 "$run/xdg-runtime"
if ! python3 "$xsession" --screen 1280x1024 -- bash "$self" --on-display "$run" "$caption"; then
  mkdir -p "$build"
  [ -f "$run/screen.png" ] && cp "$run/screen.png" "$build/package-stage.png" &&
    echo "package stage: the display is kept as $build/package-stage.png" >&2
  [ -f "$run/kelmora.log" ] && cp "$run/kelmora.log" "$build/package-stage-kelmora.log"
  exit 1
fi
# Qt's Turkish texts were found where the installed Qt keeps them.
grep -qE 'openat\(.*/qtbase_tr\.qm", O_RDONLY[^)]*\) = [0-9]+$' "$run/files.log" ||
  fail "the program did not open Qt's Turkish translation qtbase_tr.qm; its attempts:
$(grep -E 'qtbase' "$run/files.log" || echo '(none)')"
# Nothing was looked for in the tree it was built from.
if grep -F -e "$top" -e "$build" "$run/files.log" > "$tmp/tree-access"; then
  fail "the installed program looked into the source or build tree:
$(head -n 20 "$tmp/tree-access")"
fi
leftover=$(ls -A "$run/work")
[ -z "$leftover" ] || fail "the program left files in its working folder: $leftover"
echo "It read Qt's Turkish translation, nothing from $top, and wrote nothing into its working folder"

step="checking the version with the installed program"
# Help > Program Sürümünü Kontrol Et, run by an ordinary user, against an FTP
# server on loopback that the maker's host name points to (in private
# namespaces). The list it fetched lands in that user's cache folder, byte for
# byte, and nothing is left next to the installed program.
check=$tmp/version-check
bash "$top/tests/components/version/installed_check.sh" /usr/bin/kelmora "$check" 'KZQ1,1.07\r\n' nobody \
  > "$tmp/version-check.log" 2>&1 || fail "the version check script failed: $(tail -n 5 "$tmp/version-check.log")"
saved=$check/home/.cache/kelmora/Vers.kvk
[ -f "$saved" ] || { mkdir -p "$build"; cp "$check/screen.png" "$build/package-stage-version.png" 2>/dev/null || true
  fail "the installed program saved no version list in the user's cache (screen: $build/package-stage-version.png);
the program's output: $(cat "$check/kelmora.log" 2>/dev/null)
the FTP server's log: $(tail -n 5 "$check/ftp.log" 2>/dev/null)"; }
[ "$(od -An -c "$saved" | tr -s ' ')" = "$(printf 'KZQ1,1.07\r\n' | od -An -c | tr -s ' ')" ] ||
  fail "the saved version list is not the served one: $(od -An -c "$saved")"
[ ! -e /usr/bin/Vers.kvk ] || fail "the version check wrote /usr/bin/Vers.kvk"
echo "The installed program fetched the version list over FTP into $saved"

step="purging the package"
apt-get purge -y -qq kelmora > "$tmp/apt-purge.log" 2>&1 || fail "apt-get purge kelmora failed:
$(cat "$tmp/apt-purge.log")"
status=$(kelmora_status)
case "$status" in
  '' | not-installed) ;;
  *) fail "after apt-get purge dpkg still knows kelmora as \"$status\"" ;;
esac
left=()
gone=()
while read -r path; do
  if grep -qxF "$path" "$tmp/there-before"; then
    [ -e "$path" ] || gone+=("$path")
  elif [ -d "$path" ] && [ ! -L "$path" ]; then
    left+=("$path/ (holding: $(find "$path" -mindepth 1 -maxdepth 1 -printf '%f '))")
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done < "$tmp/listed"
[ ${#left[@]} -eq 0 ] || fail "apt-get purge kelmora left behind: ${left[*]}"
[ ${#gone[@]} -eq 0 ] || fail "apt-get purge kelmora removed folders that were there before: ${gone[*]}"
echo "Purged: none of the $(wc -l < "$tmp/listed") paths of dpkg -L kelmora is left" \
  "($(wc -l < "$tmp/there-before") shared folders were there before and still are)"
step="restoring the machine's packages"
echo "Package stage passed."
