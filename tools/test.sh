#!/bin/bash
# Builds everything, runs the core's native unit tests under sanitizers, then every test under Wine
# with a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
tools/native-test.sh
tools/with-display.sh ctest --test-dir "${TARN_BUILD_ROOT:-build}/x64" --output-on-failure -j2 "$@"
