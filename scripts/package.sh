#!/usr/bin/env bash
# Builds Kelmora's Debian package: installs what is missing (the build and
# run-time lists, and dpkg-shlibdeps and file for the package's dependencies),
# configures a Release build in build-package/ (or $KELMORA_PACKAGE_BUILD_DIR),
# builds it and runs `cpack -G DEB` there. Extra arguments go to cmake.
# The last line printed is the path of the package, kelmora_<version>_<arch>.deb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELMORA_PACKAGE_BUILD_DIR:-$top/build-package}

bash "$top/scripts/deps.sh" build runtime package
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKELMORA_BENCH=OFF \
  -DKELMORA_GUI=ON "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/kelmora_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/kelmora_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: cpack made no single kelmora_*.deb in $build" >&2
  exit 1
fi
echo "${debs[0]}"
