#!/bin/bash
# Builds the launcher for both architectures (and, for x86_64, the tests). With TARN_ARM64=1 (as
# tools/test.sh and tools/release.sh set it) also for Windows on ARM64, with its own toolchain.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
root=$PWD
out=${TARN_BUILD_ROOT:-build}
cmake -S . -B $out/i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF >/dev/null
cmake --build $out/i686
arm64=
if [ "${TARN_ARM64:-0}" = 1 ]; then
  arm64="$root/$out/arm64"
  cmake -S . -B $out/arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-w64-mingw32.cmake \
    -DTARN_TOOLCHAIN_BIN="$root/$out/toolchain/bin" -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF >/dev/null
  cmake --build $out/arm64
fi
cmake -S . -B $out/x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTARN_OTHER_BUILD_DIR="$root/$out/i686" -DTARN_ARM64_BUILD_DIR="$arm64" "$@" >/dev/null
cmake --build $out/x64
