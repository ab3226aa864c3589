#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (ASan + UBSan) in build-fuzz and runs each target for
# the given time, one after another, niced. New inputs go to build-fuzz/found/<target>; a crash
# leaves its input in build-fuzz/crashes/<target>. Copy inputs worth keeping into
# fuzz/corpus/<target>: the test suite replays that folder in every build.
#   fuzz/run.sh [seconds per target] [target...]      (default: 600 s, every target)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$here/..
seconds=${1:-600}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(list_file settings_file mci_command file_name disc_directory)
build=$top/build-fuzz

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DREELBOX_FUZZ=ON -DREELBOX_TESTS=OFF -DREELBOX_BENCH=OFF >/dev/null
nice ninja -C "$build" -j2 $(printf 'fuzz_%s ' "${targets[@]}")

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in "${targets[@]}"; do
  mkdir -p "$build/found/$target" "$build/crashes/$target"
  log=$build/$target.log
  if nice "$build/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
       -artifact_prefix="$build/crashes/$target/" -print_final_stats=1 \
       "$build/found/$target" "$here/corpus/$target" >"$log" 2>&1; then
    result=clean
  else
    result="FOUND SOMETHING (see $log and $build/crashes/$target)"
    status=1
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  echo "$target: ${runs:-?} runs in ${seconds} s, $result"
done
exit $status
