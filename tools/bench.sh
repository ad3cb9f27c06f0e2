#!/bin/bash
# Builds everything and runs the benchmark under Wine: the launcher's start-to-main time against a
# minimal host program of the same stand-in runtime, and class path expansion with 10, 1,000 and
# 10,000 jars in a wildcard folder. Prints the figures and their ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
tools/build.sh >/dev/null
cmake --build "$root/x64" --target tarn_bench >/dev/null
export TARN_BUILD_DIR_UNIX=$PWD/$root/x64
export TARN_OTHER_BUILD_DIR_UNIX=$PWD/$root/i686
export TARN_SOURCE_DIR_UNIX=$PWD
tools/with-display.sh tests/wine-run.sh "$PWD/$root/x64/wine/bench" "$PWD/$root/x64/bench/tarn_bench.exe"
