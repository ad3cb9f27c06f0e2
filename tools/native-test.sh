#!/bin/bash
# Builds the Windows-free core natively with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# fuzzer coverage) and runs its unit tests. Seconds, not minutes: the quick check of the core.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
out=${TARN_BUILD_ROOT:-build}/native
cmake -S tests/native -B $out -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build $out -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $out/core_tests --gtest_brief=1 "$@"
