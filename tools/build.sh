#!/bin/bash
# Builds the launcher for both architectures (and, for x86_64, the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
root=$PWD
out=${TARN_BUILD_ROOT:-build}
cmake -S . -B $out/i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF >/dev/null
cmake --build $out/i686
cmake -S . -B $out/x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTARN_OTHER_BUILD_DIR="$root/$out/i686" "$@" >/dev/null
cmake --build $out/x64
