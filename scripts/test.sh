#!/usr/bin/env bash
# Installs what is missing (the test tools too), builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREELBOX_TESTS=ON -DREELBOX_BENCH=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600 -j2
