#!/usr/bin/env bash
# No script of the tree opens /dev/stdout, /dev/stderr or their /dev/fd and
# /proc/self/fd names: that opens the file behind the descriptor anew, and
# where CI's output is redirected into a log file, tee or a > redirection to
# such a name truncates the log. Scripts write to the descriptors they were
# given (>&2) instead.
#
#   descriptors.sh SOURCE_DIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 SOURCE_DIR" >&2; exit 2; }
top=$(cd "$1" && pwd)
pattern='/dev/std(in|out|err)|/dev/fd/[0-9]|/proc/(self|\$\$|[0-9]+)/fd/[0-9]'

# The pattern itself, on what it must and must not find.
for bad in 'x | tee /dev/stderr | tail -n 1' 'echo hi > /dev/stdout' 'cat log 2>/dev/fd/2' \
  'printf x >/proc/self/fd/1' 'exec 3>/proc/$$/fd/2'; do
  grep -qE "$pattern" <<< "$bad" || { echo "descriptors.sh: the pattern misses: $bad" >&2; exit 1; }
done
for good in 'x | tee "$tmp/log" >&2' 'echo hi 2>/dev/null' 'exec 9> /run/lock/x.lock'; do
  if grep -qE "$pattern" <<< "$good"; then echo "descriptors.sh: the pattern wrongly finds: $good" >&2; exit 1; fi
done

# Every script of the tree: shell, Python and CMake files, and whatever starts with #!.
scripts=()
while IFS= read -r -d '' f; do
  [ "$f" = "$top/tests/scripts/descriptors.sh" ] && continue
  case "$f" in
    *.sh | *.py | *.cmake | */CMakeLists.txt) scripts+=("$f") ;;
    *)
      first=
      IFS= read -r -n 2 first < "$f" 2>/dev/null || true
      if [ "$first" = '#!' ]; then scripts+=("$f"); fi
      ;;
  esac
done < <(find "$top" -type d \( -name .git -o -name 'build*' \) -prune -o -type f -print0)

found=0
for f in "${scripts[@]}"; do [ "$f" = "$top/scripts/stages/package.sh" ] && found=1; done
[ "$found" = 1 ] || { echo "descriptors.sh: scripts/stages/package.sh not among the ${#scripts[@]} scripts found" >&2; exit 1; }

if hits=$(grep -nHE "$pattern" "${scripts[@]}"); then
  echo "Scripts that open a standard descriptor's file anew (write to >&1 or >&2 instead):" >&2
  echo "$hits" >&2
  exit 1
fi
echo "${#scripts[@]} scripts checked; none opens /dev/stdout, /dev/stderr or a /dev/fd name"
