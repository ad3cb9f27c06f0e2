#!/bin/bash
# Runs the libFuzzer targets of the core: tools/fuzz.sh [seconds per target] [target...]
# (default 600 s, every target). Each starts from its seed corpus in tests/native/fuzz/corpus and
# grows a working copy in build/native/corpus; a failing input is kept in build/native/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
out=${TARN_BUILD_ROOT:-build}/native
if [ ! -x $out/core_tests ]; then tools/native-test.sh >/dev/null; fi
cmake --build $out -j2 >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/native/fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
status=0
for target in "${targets[@]}"; do
  corpus=$out/corpus/$target findings=$out/findings/$target
  mkdir -p "$corpus" "$findings"
  cp -n tests/native/fuzz/corpus/$target/* "$corpus"/
  log=$out/findings/$target.log
  if $out/$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
       -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "$target: $runs runs in ${seconds} s ($rate/s), corpus $(ls "$corpus" | wc -l)"
  else
    echo "$target: FAILED, see $log and $findings"
    grep -m5 -E 'ERROR|property failed|runtime error' "$log" || true
    status=1
  fi
done
exit $status
