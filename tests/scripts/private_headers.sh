#!/usr/bin/env bash
# scripts/private-headers.sh over the build tree this test belongs to. Built
# with Qt's private headers (KELMORA_QT_PRIVATE), it must name exactly the
# model's *QtPrivate objects, so the check the public-API stage relies on does
# find a private header where one is; built without them, it must name none.
#
#   private_headers.sh SOURCE_DIR BUILD_DIR ON|OFF
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 SOURCE_DIR BUILD_DIR ON|OFF" >&2; exit 2; }
top=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bash "$top/scripts/private-headers.sh" "$build" > "$out" 2>&1 || status=$?

model=src/documents/model/CMakeFiles/kelmora_model.dir
if [ "$3" = ON ]; then
  expected="$model/FragmentWalkQtPrivate.cpp.o
$model/ListsQtPrivate.cpp.o"
  found=$(cut -d: -f1 "$out" | sort -u)
  if [ "$status" -ne 1 ] || [ "$found" != "$expected" ]; then
    echo "private_headers.sh: expected exit status 1 naming exactly" >&2
    echo "$expected" >&2
    echo "got status $status and:" >&2
    cat "$out" >&2
    exit 1
  fi
  # The headers named are Qt's private ones, found by the compiler itself.
  grep -q ': .*/private/qtextdocument_p\.h$' "$out" || { echo "no qtextdocument_p.h among:" >&2; cat "$out" >&2; exit 1; }
else
  if [ "$status" -ne 0 ]; then
    echo "private_headers.sh: objects of the public-API build depend on private headers (status $status):" >&2
    cat "$out" >&2
    exit 1
  fi
fi
cat "$out"
