#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (ASan + UBSan) in build-fuzz and runs each target for
# the given time, one after another, niced. New inputs go to build-fuzz/found/<target>; a crash
# leaves its input in build-fuzz/crashes/<target>. Copy inputs worth keeping into
# fuzz/corpus/<target>: the test suite replays that folder in every build. Starting inputs too
# large to keep in git (lines and fields past the readers' limits) are made afresh in
# build-fuzz/seeds/<target>.
#   fuzz/run.sh [seconds per target] [target...]      (default: 600 s, every target)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$here/..
seconds=${1:-600}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(list_file settings_file mci_command file_name disc_directory cue_sheet)
build=$top/build-fuzz

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DREELBOX_FUZZ=ON -DREELBOX_TESTS=OFF -DREELBOX_BENCH=OFF >/dev/null
nice ninja -C "$build" -j2 $(printf 'fuzz_%s ' "${targets[@]}")

# run_of BYTES TEXT: lines of TEXT up to BYTES bytes.  chars N C: C written N times.
run_of() { { yes "$2" || true; } | head -c "$1"; }
chars() { head -c "$1" /dev/zero | tr '\0' "$2"; }
# large_seeds TARGET: the large starting inputs of TARGET in $build/seeds/TARGET.
large_seeds() {
  local dir=$build/seeds/$1 entry
  rm -rf "$dir"
  mkdir -p "$dir"
  case $1 in
    list_file)
      entry=/tmp/$(chars 65000 A)=n
      for _ in 1 2 3 4 5 6; do printf '%s\r\n' "$entry"; done >"$dir/entries-65k.vep"
      printf '/m/a=a\n%s\n/m/b=b\n' "$(chars 70000 x)" >"$dir/line-past-64k.vep"
      { run_of 33000 ''; echo /m/a=a; } >"$dir/blank-lines.vep"
      { run_of 66000 $'\r'; echo /m/a=a; } >"$dir/blank-crlf-lines.vep"
      run_of 300000 '        ' >"$dir/space-lines.vep"
      { run_of 90000 $'\xef\xbb\xbf/m/a=a\r'; printf '\x83\x65=\xe9\n'; } >"$dir/bom-lines-mixed.vep"
      ;;
  esac
}

# Large enough for the list reader's 64 KiB lines and 32,767 blank lines, and for a .cue at its
# 256 KiB limit; the others keep libFuzzer's own choice.
max_len() {
  case $1 in
    list_file) echo 400000 ;;
    cue_sheet) echo 262200 ;;
    *) echo 0 ;;
  esac
}

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$here/lsan_suppressions.txt
status=0
for target in "${targets[@]}"; do
  mkdir -p "$build/found/$target" "$build/crashes/$target"
  large_seeds "$target"
  log=$build/$target.log
  if nice "$build/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
       -max_len="$(max_len "$target")" -artifact_prefix="$build/crashes/$target/" \
       -print_final_stats=1 "$build/found/$target" "$here/corpus/$target" \
       "$build/seeds/$target" >"$log" 2>&1; then
    result=clean
  else
    result="FOUND SOMETHING (see $log and $build/crashes/$target)"
    status=1
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  echo "$target: ${runs:-?} runs in ${seconds} s, $result"
done
exit $status
