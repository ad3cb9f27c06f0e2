#!/bin/bash
# Builds everything (the ARM64 launchers too, unless TARN_ARM64=0), runs the core's native unit
# tests under sanitizers, then every test under Wine with a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
export TARN_ARM64=${TARN_ARM64:-1}
tools/build.sh
tools/native-test.sh
tools/with-display.sh ctest --test-dir "${TARN_BUILD_ROOT:-build}/x64" --output-on-failure -j2 "$@"
