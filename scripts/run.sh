#!/usr/bin/env bash
# Installs what is missing, builds ReelBox and starts it. Arguments go to the player:
# movie files, list files (.vep), or "1" for Video-CD mode.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREELBOX_TESTS=OFF -DREELBOX_BENCH=OFF >/dev/null
cmake --build build --target reelbox reelbox-mci
exec build/reelbox "$@"
