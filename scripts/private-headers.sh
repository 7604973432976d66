#!/usr/bin/env bash
# Lists the objects of a Ninja build folder that depend on a private header:
# a path with a folder named "private", or a file name ending in "_p.h". It
# reads the dependencies the compiler recorded while building (ninja -t deps),
# so it sees every header an object really included, Qt's own included.
#
# usage: private-headers.sh BUILD_DIR
# Exit status 0: no object depends on one. 1: some do; each "object: header"
# is printed. 2: nothing to judge: no object, or an object whose dependencies
# were not recorded (built by another generator, or changed since the build).
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && find . -name '*.o' -printf '%P\n' | sort) > "$work/objects"
if [ ! -s "$work/objects" ]; then
  echo "private-headers: no object files in $build; build it first" >&2
  exit 2
fi
ninja -C "$build" -t deps > "$work/deps"

# "object header" for every recorded dependency, paths below the source and
# build trees made relative (where the tree lies must not count); the objects
# whose records are valid go to a list of their own.
awk -v top="$top/" -v build="$build/" -v valid="$work/valid" '
  /^[^ \t].*: #deps / {
    object = substr($0, 1, index($0, ": #deps ") - 1)
    if ($0 ~ /\(VALID\)$/) print object > valid
    next
  }
  /^[ \t]+[^ \t]/ {
    path = $1
    if (index(path, build) == 1) path = substr(path, length(build) + 1)
    else if (index(path, top) == 1) path = substr(path, length(top) + 1)
    print object, path
  }
' "$work/deps" > "$work/pairs"
touch "$work/valid"
sort -u "$work/valid" -o "$work/valid"

unrecorded=$(comm -23 "$work/objects" "$work/valid")
if [ -n "$unrecorded" ]; then
  echo "private-headers: no valid dependency record for these objects of $build (rebuild it with Ninja):" >&2
  printf '%s\n' "$unrecorded" | head -n 20 >&2
  exit 2
fi

if awk '$2 ~ /(^|\/)private\// || $2 ~ /_p\.h$/ { print $1 ": " $2; found = 1 } END { exit !found }' \
  "$work/pairs"; then
  exit 1
fi
echo "private-headers: none of the $(wc -l < "$work/objects") objects of $build depends on a private header"
