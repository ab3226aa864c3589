#!/usr/bin/env bash
# Starts per desktop: the real program started N times (default 50) on each desktop with no
# settings file, each start given 10 s for both windows to be viewable (the control window
# "ReelBox" and the movie window "<entry> - ReelBox"), then ended with SIGTERM. It counts the
# starts without a viewable window (target: 0 of 50 everywhere), and measures where the movie
# window stands 2 s after both came up: how far it overlaps the control window's frame (its left
# edge left of the frame's right edge; negative: a gap) and how far its top is off the frame's.
# Target: 0 and 0 on every start.
#   bench/desktop_starts.sh [path of reelbox] [starts] [desktops...]
#   desktops: bare openbox xfwm4 weston (all four by default)
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
starts=${2:-50}
shift $(($# < 2 ? $# : 2))
desktops=("${@:-bare openbox xfwm4 weston}")
here=$(dirname "${BASH_SOURCE[0]}")

for desktop in ${desktops[*]}; do
  (
    source "$here/../tests/support/xvfb.sh"
    export REELBOX_AO=null
    start_session_bus
    start_desktop "$desktop"
    start_sound
    app=$(copy_program "$program")
    missing=0 control_missing=0 beside=0 overlaps=() tops=()
    for _ in $(seq "$starts"); do
      (cd "$work/app" && exec "$app") >/dev/null 2>&1 &
      app_pid=$!
      wait_until visible "$movie_window" || missing=$((missing + 1))
      wait_until visible ReelBox || control_missing=$((control_missing + 1))
      if visible "$movie_window" && visible ReelBox; then
        sleep 2  # the place a user sees, after any move of the program's own
        movie=$(window_id "$movie_window")
        read -r _ top right _ <<<"$(frame_of "$(window_id ReelBox)" "$movie")"
        read -r mx my _ <<<"$(geometry "$movie")"
        overlaps+=($((right - mx))) tops+=($((my - top)))
        ((right - mx <= 0 && my == top)) && beside=$((beside + 1))
      fi
      kill -TERM "$app_pid"
      wait "$app_pid" || true
      app_pid=""
    done
    echo "$desktop: movie window not viewable in $missing of $starts starts" \
         "(control window: $control_missing); beside the control window's frame in $beside," \
         "overlap px: $(printf '%s\n' "${overlaps[@]}" | sort -n | uniq -c | awk '{printf "%s%d x%d", (NR > 1 ? ", " : ""), $2, $1}')," \
         "top off px: $(printf '%s\n' "${tops[@]}" | sort -n | uniq -c | awk '{printf "%s%d x%d", (NR > 1 ? ", " : ""), $2, $1}')"
  )
done
