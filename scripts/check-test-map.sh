#!/usr/bin/env bash
# Checks that `grep -rl NAME.cpp tests/` finds the tests of every source file of src/ and tools/:
# the head of each test file names the files whose code it checks. Exits 1 listing the files no
# test names (other than those listed below as untested), 0 and a one-line summary otherwise.
#   scripts/check-test-map.sh [repository root]      (default: the folder above this script)
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"
# The files no test checks, each with why: what there is to see of them is not worth a test.
declare -A untested=(
  [src/link_check_main.cpp]="build machinery: the link check's own main"
  [src/platform/linux/qt_bell.cpp]="one call of QApplication::beep(); the tests count beeps"
  [src/platform/cdio/disc_log.cpp]="hands libcdio's own log lines to the reelbox.disc category"
  [src/controls/path_combo_box.cpp]="drawing only: a long drive path shortened in the middle"
  [src/shell/program_icon.cpp]="the built-in icon sizes; the package test reads them off a window"
)
mapfile -t sources < <(find src tools -name '*.cpp' | sort)
unnamed=()
for path in "${!untested[@]}"; do [[ -e $path ]] || unnamed+=("$path (listed as untested, gone)"); done
for path in "${sources[@]}"; do
  [[ -z ${untested[$path]:-} ]] || continue
  grep -rqF --include='*.cpp' --include='*.h' --include='*.sh' --include='*.py' \
    "$(basename "$path")" tests || unnamed+=("$path")
done
if ((${#unnamed[@]})); then
  printf 'no test file names %s\n' "${unnamed[@]}" >&2
  exit 1
fi
echo "$((${#sources[@]} - ${#untested[@]})) source files, each named by a test file; ${#untested[@]} without a test"
