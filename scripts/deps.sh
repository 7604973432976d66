#!/usr/bin/env bash
# Installs the Debian packages that are missing from the named lists in
# scripts/packages (e.g. "build runtime" or "build runtime test*").
# Runs apt-get as root, or through sudo when not root. Quiet when nothing is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
want=()
for name in "$@"; do
  for f in "$here"/packages/$name.txt; do
    [ -f "$f" ] || continue
    while read -r pkg _; do
      case "$pkg" in ''|'#'*) continue ;; esac
      want+=("$pkg")
    done < "$f"
  done
done
missing=()
for pkg in "${want[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq || true
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
