#!/usr/bin/env bash
# Builds the fuzz targets with clang into ./build-fuzz and runs each for SECONDS (default 60)
# (only the targets named after SECONDS, when some are: scripts/fuzz.sh 60 fuzz_track),
# starting from its seed corpus in fuzz/corpus/. Prints the executions of each target. A
# finding fails the run and leaves its input in build-fuzz/findings/ (make it a regression
# test, then add it to the target's seed corpus). The random seed is fixed (FUZZ_SEED, default
# 1), so a run repeats on another machine what it found here; set FUZZ_SEED=0 for a new one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
seed=${FUZZ_SEED:-1}
source scripts/ccache.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTRAINBOOK_FUZZ=ON "${CCACHE_ARGS[@]}" >/dev/null
targets=(fuzz_dialect fuzz_format fuzz_duration fuzz_parsedate fuzz_number fuzz_criteria fuzz_fit fuzz_track fuzz_xml)
if [ $# -gt 1 ]; then
  targets=("${@:2}")
fi
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"
mkdir -p build-fuzz/findings
status=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  work=build-fuzz/corpus/$name
  log=build-fuzz/$target.log
  mkdir -p "$work"
  if build-fuzz/fuzz/"$target" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix=build-fuzz/findings/"$name"- "$work" fuzz/corpus/"$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} executions in $seconds s, no findings"
  else
    echo "$target: FINDING, see $log and build-fuzz/findings/"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
