#!/usr/bin/env bash
# Runs a command on the current X display with a window manager (openbox) managing its windows.
#   with_window_manager.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_wm
"$@"
