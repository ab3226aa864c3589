#!/usr/bin/env bash
# Installs what is missing (the test tools too), builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREELBOX_TESTS=ON -DREELBOX_BENCH=ON >/dev/null
cmake --build build
# Beside the tests, each file of the program compiled on its own (scripts/check-includes.sh): a
# file that does not include what it uses fails there. It needs two or three minutes of both
# cores; the tests wait for windows, players and servers much of their time, so it runs at the
# lowest priority in that idle time rather than after them.
mkdir -p build-plain
nice -n 19 scripts/check-includes.sh build-plain >build-plain/includes.log 2>&1 &
includes=$!
status=0
ctest --test-dir build --output-on-failure --timeout 600 -j2 || status=$?
if wait "$includes"; then
  tail -n 1 build-plain/includes.log
else
  cat build-plain/includes.log >&2
  status=1
fi
exit "$status"
