# The desktop's media controls (MPRIS), driven by playerctl and dbus-send on the session bus
# (tests/support/scenarios.sh runs these): each row sends one command and waits until the state it
# names is there; bad calls get the error a client expects and change nothing; `playerctl
# --follow` hears every change; a call whose action shows a message box is answered at once, and
# so are the calls that come while the box is up, which show no second box; the player is back
# on a session bus restarted at the same address; without a session bus the program still
# starts, with one log line.
# Checks: mpris_service.cpp, mpris_adaptors.cpp, call_queue.cpp (src/mpris); mpris_bridge.cpp,
# main.cpp (src/app).
mpris_set() {
  dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.reelbox /org/mpris/MediaPlayer2 \
    org.freedesktop.DBus.Properties.Set string:org.mpris.MediaPlayer2.Player string:"$1" variant:"$2" >/dev/null
}
mpris_call() {  # METHOD ARGS...: dbus-send's answer, "ok" or the error's name (NoReply: none in 5 s)
  { dbus-send --session --print-reply --reply-timeout=5000 --dest=org.mpris.MediaPlayer2.reelbox \
      /org/mpris/MediaPlayer2 "org.mpris.MediaPlayer2.Player.$1" "${@:2}" 2>&1 || true; } |
    awk '/^Error/ {sub(":", "", $2); print $2; e = 1} END {if (!e) print "ok"}'
}
player_state() { echo "$(pc status) $(pc metadata xesam:title) $(pc position)"; }
windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
boxes() { xdotool search --onlyvisible --name "^NO Video-CD$" 2>/dev/null | wc -l; }
mpris() {
  command -v playerctl >/dev/null || fail "playerctl is missing (scripts/install-deps.sh --test)"
  local near_by=0.05 bus_name id before shown follow_pid
  for name in a b 旅行c; do make_clip "$name" testsrc 3; done
  echo "not a movie" >"$work/notes.txt"

  # Nothing open: the transport is off and refuses. The player's name is the program's own.
  run_app
  wait_tenths=600 wait_for "not on the session bus" is Stopped status
  bus_name=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
               org.freedesktop.DBus.ListNames | grep -o 'org.mpris.MediaPlayer2.reelbox[^"]*')
  [[ $bus_name == org.mpris.MediaPlayer2.reelbox ]] || fail "bus name $bus_name"
  pc play || true
  [[ $(mpris_get CanPlay) == false && $(pc status) == Stopped ]] || fail "play with nothing open"
  end_app "nothing open"

  run_app "$work/a.mpg" "$work/b.mpg"
  wait_tenths=600 wait_for "the movie did not open stopped" is Stopped status
  pc --follow status >"$work/follow" 2>/dev/null &
  follow_pid=$!
  extra_pids+=($follow_pid)
  wait_for "playerctl --follow heard nothing" grep -qx Stopped "$work/follow"
  # command | the state waited for (paused after playing a while; stopped at 0)
  for row in "pc play | is Playing status" \
      "true | eval awk -v p=\$(pc position) 'BEGIN { exit p < 0.2 }'" \
      "pc play-pause | is Paused status" \
      "pc play-pause | is Playing status" "pc next | is b.mpg metadata xesam:title" \
      "pc previous | is a.mpg metadata xesam:title" \
      "true | eval awk -v p=\$(pc position) 'BEGIN { exit p < 0.2 }'" "pc pause | is Paused status" \
      "pc position 1 | near 1" "pc position 0.5- | near 0.5" \
      "pc loop Track | is Track loop" "pc loop None | is None loop" \
      "pc loop Playlist | is Playlist loop" \
      "mpris_set Rate double:1.5 | eval [[ \$(mpris_get Rate) == 1.5 ]]" \
      "mpris_set Rate double:1 | eval [[ \$(mpris_get Rate) == 1 ]]" \
      "pc open file://$work/%E6%97%85%E8%A1%8Cc.mpg | is 旅行c.mpg metadata xesam:title" \
      "pc stop | is Stopped status" "true | near 0"; do
    eval "${row%%|*}" || true
    # shellcheck disable=SC2086  # the check's words are its arguments
    wait_for "after '${row%%|*}': not ${row#*|}" ${row#*|}
  done
  [[ $(pc metadata mpris:length) -gt 2900000 ]] || fail "length $(pc metadata mpris:length)"
  [[ $(pc metadata xesam:url) == "file://$work/%E6%97%85%E8%A1%8Cc.mpg" ]] ||
    fail "url $(pc metadata xesam:url)"

  # Bad calls: the error, and nothing changed.
  pc pause
  id=$(pc metadata mpris:trackid | tr -d "'")
  before=$(player_state)
  shown=$(windows)
  for row in "SetPosition objpath:/org/reelbox/track/9_0 int64:1000000 | InvalidArgs" \
      "SetPosition objpath:$id int64:-1 | InvalidArgs" \
      "SetPosition objpath:$id int64:999999999999 | InvalidArgs" \
      "OpenUri string:http://example.com/a.mpg | NotSupported" \
      "OpenUri string:file://$work/notes.txt | NotSupported" \
      "OpenUri string:file://$work/missing.mpg | InvalidArgs" \
      "OpenUri string:no-uri-at-all | InvalidArgs"; do
    read -r -a args <<<"${row%%|*}"
    got=$(mpris_call "${args[@]}")
    [[ $got == "org.freedesktop.DBus.Error.${row##*| }" ]] || fail "${args[*]}: $got, not ${row##*| }"
    [[ $(player_state) == "$before" ]] || fail "${args[*]} changed the player"
    [[ $(windows) == "$shown" ]] || fail "${args[*]} showed a window"
  done

  # The follower heard the play and the pause after the first status.
  kill "$follow_pid"
  awk '/^Playing$/ && NR > 1 {p = 1} /^Paused$/ && p {ok = 1} END {exit !ok}' "$work/follow" ||
    fail "playerctl --follow: $(tr '\n' ' ' <"$work/follow")"

  # An image that is no Video-CD: its box is up after the call's answer. While it is, calls are
  # answered at once and refused; no second box comes.
  printf 'FILE "damaged.bin" BINARY\r\n  TRACK 01 MODE2/2352\r\n    INDEX 01 00:00:00\r\n' >"$work/damaged.cue"
  head -c 400000 /dev/urandom >"$work/damaged.bin"
  [[ $(mpris_call OpenUri "string:file://$work/damaged.cue") == ok ]] || fail "OpenUri of the image"
  wait_for "no box for the damaged image" eval '[[ $(boxes) == 1 ]]'
  for call in "OpenUri string:file://$work/damaged.cue" Next Play; do
    read -r -a args <<<"$call"
    got=$(mpris_call "${args[@]}")
    [[ $got == ok ]] || fail "${args[0]} while the box is up: $got"
  done
  [[ $(boxes) == 1 ]] || fail "$(boxes) boxes"
  # The box may be gone before the key's release is sent to it.
  xdotool key --window "$(xdotool search --onlyvisible --name "^NO Video-CD$")" Return \
    2>/dev/null || true
  wait_for "the box stays up" eval '[[ $(boxes) == 0 ]]'

  # The session bus restarts: the player is on the new one, and answers there.
  kill "$bus_pid"
  wait "$bus_pid" 2>/dev/null || true
  start_session_bus
  wait_tenths=300 wait_for "not back on the restarted bus" eval '[[ -n $(pc status) ]]'
  pc play-pause
  wait_for "play-pause on the restarted bus" is Playing status

  # Quit: the orderly end.
  dbus-send --session --type=method_call --dest="$bus_name" /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
  exited Quit

  # No session bus: the program starts and works, and says so once.
  DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus run_app "$work/a.mpg"
  wait_tenths=600 wait_for "no windows without a bus" both_viewable
  [[ $(grep -c "session bus" "$work/log") == 1 ]] || fail "log without a bus: $(cat "$work/log")"
}
