#!/usr/bin/env bash
# Runs a command on an X server of its own (1280x1024x24, started by xvfb.sh with -displayfd, so
# several checkouts can run their tests at once), with Qt on that server; with --wm, under a
# window manager (openbox) that manages its windows.
#   run_in_xvfb.sh [--wm] COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb 1280x1024x24
[[ $1 != --wm ]] || { start_wm; shift; }
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit "$status"
