#!/bin/bash
# Builds everything (the ARM64 launchers too, unless TARN_ARM64=0), runs the core's native unit
# tests under sanitizers, then every test under Wine with a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
export TARN_ARM64=${TARN_ARM64:-1}
tools/build.sh
# The benchmark is not a test, but it is built here so that it keeps up with the launcher.
cmake --build "${TARN_BUILD_ROOT:-build}/x64" --target tarn_bench >/dev/null
tools/native-test.sh
tools/with-display.sh ctest --test-dir "${TARN_BUILD_ROOT:-build}/x64" --output-on-failure -j2 "$@"
