#!/usr/bin/env bash
# The desktop's media controls (MPRIS) reach the real program through playerctl, on a session
# bus of the test's own: each row sends one command and waits until the state it names is there;
# bad calls get the error a client expects and change nothing; `playerctl --follow` hears every
# change; without a session bus the program still starts, with one log line.
#   mpris_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
command -v playerctl >/dev/null || fail "playerctl is missing (scripts/install-deps.sh --test)"

start_xvfb 1280x1024x24
start_session_bus
export REELBOX_AO=null
start_sound

app=$(copy_program "$program")
for name in a b c; do
  ffmpeg -v error -f lavfi -i testsrc=size=352x240:rate=30000/1001 -t 3 -target ntsc-vcd "$work/$name.mpg"
done
echo "not a movie" >"$work/notes.txt"

pc() { playerctl -p reelbox "$@" 2>/dev/null; }
is() { [[ $(pc "${@:2}") == "$1" ]]; }             # is VALUE playerctl-args...
near() { awk -v a="$(pc position)" -v b="$1" 'BEGIN { exit !(a - b < 0.05 && b - a < 0.05) }'; }
player() { echo org.mpris.MediaPlayer2.Player; }
get() {  # get PROPERTY: its value as dbus-send prints it, the type dropped
  dbus-send --session --print-reply --dest="$bus_name" /org/mpris/MediaPlayer2 \
    org.freedesktop.DBus.Properties.Get string:"$(player)" string:"$1" | awk 'NR == 2 {print $3}'
}
set_prop() {
  dbus-send --session --print-reply --dest="$bus_name" /org/mpris/MediaPlayer2 \
    org.freedesktop.DBus.Properties.Set string:"$(player)" string:"$1" variant:"$2" >/dev/null
}
call() {  # call METHOD ARGS...: dbus-send's answer, "ok" or the error's name
  { dbus-send --session --print-reply --dest="$bus_name" /org/mpris/MediaPlayer2 "$(player).$1" \
      "${@:2}" 2>&1 || true; } | awk '/^Error/ {sub(":", "", $2); print $2; e = 1} END {if (!e) print "ok"}'
}
track() { pc metadata mpris:trackid | tr -d "'"; }
title() { pc metadata xesam:title; }
windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }

# Nothing open: the transport is off and refuses.
(cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
app_pid=$!
wait_tenths=600 wait_for "not on the session bus" is Stopped status
bus_name=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
             org.freedesktop.DBus.ListNames | grep -o 'org.mpris.MediaPlayer2.reelbox[^"]*')
[[ $bus_name == org.mpris.MediaPlayer2.reelbox ]] || fail "bus name $bus_name"
pc play || true
[[ $(get CanPlay) == false && $(pc status) == Stopped ]] || fail "play with nothing open"
kill "$app_pid"; wait "$app_pid" || true

(cd "$work/app" && exec "$app" "$work/a.mpg" "$work/b.mpg") >"$work/log" 2>&1 &
app_pid=$!
# Start-up on a busy machine can take longer than any one step.
wait_tenths=600 wait_for "the movie did not open" is Paused status
pc --follow status >"$work/follow" 2>/dev/null &
follow_pid=$!
wait_for "playerctl --follow heard nothing" grep -qx Paused "$work/follow"

# command | the state waited for
rows=(
  "pc play                       | is Playing status"
  "pc play-pause                 | is Paused status"
  "pc play-pause                 | is Playing status"
  "pc pause                      | is Paused status"
  "pc next                       | is b.mpg metadata xesam:title"
  "pc previous                   | is a.mpg metadata xesam:title"
  "pc pause                      | is Paused status"
  "pc position 1                 | near 1"
  "pc position 0.5-              | near 0.5"
  "pc loop Track                 | is Track loop"
  "pc loop None                  | is None loop"
  "pc loop Playlist              | is Playlist loop"
  "set_prop Rate double:1.5      | eval [[ \$(get Rate) == 1.5 ]]"
  "set_prop Rate double:0.5      | eval [[ \$(get Rate) == 0.5 ]]"
  "set_prop Rate double:1        | eval [[ \$(get Rate) == 1 ]]"
  "pc open file://$work/c.mpg    | is c.mpg metadata xesam:title"
  "pc stop                       | near 0"
)
for row in "${rows[@]}"; do
  action=${row%%|*}
  check=${row#*|}
  eval "$action" || true
  # shellcheck disable=SC2086  # the check's words are its arguments
  wait_for "after '$action': not $check" $check
done
[[ $(pc metadata mpris:length) -gt 2900000 ]] || fail "length $(pc metadata mpris:length)"
[[ $(pc metadata xesam:url) == "file://$work/c.mpg" ]] || fail "url $(pc metadata xesam:url)"

# Bad calls: the error, and nothing changed.
pc pause
id=$(track)
before="$(pc status) $(title) $(pc position)"
shown=$(windows)
bad=(
  "SetPosition objpath:/org/reelbox/track/9_0 int64:1000000 | org.freedesktop.DBus.Error.InvalidArgs"
  "SetPosition objpath:$id int64:-1                         | org.freedesktop.DBus.Error.InvalidArgs"
  "SetPosition objpath:$id int64:999999999999               | org.freedesktop.DBus.Error.InvalidArgs"
  "OpenUri string:http://example.com/a.mpg                  | org.freedesktop.DBus.Error.NotSupported"
  "OpenUri string:ftp://example.com/a.mpg                   | org.freedesktop.DBus.Error.NotSupported"
  "OpenUri string:file://$work/notes.txt                    | org.freedesktop.DBus.Error.NotSupported"
  "OpenUri string:file://$work/missing.mpg                  | org.freedesktop.DBus.Error.InvalidArgs"
  "OpenUri string:no-uri-at-all                             | org.freedesktop.DBus.Error.InvalidArgs"
)
for row in "${bad[@]}"; do
  read -r -a args <<<"${row%%|*}"
  want=${row##*| }
  got=$(call "${args[@]}")
  [[ $got == "$want" ]] || fail "${args[*]}: $got, not $want"
  [[ "$(pc status) $(title) $(pc position)" == "$before" ]] || fail "${args[*]} changed the player"
  [[ $(windows) == "$shown" ]] || fail "${args[*]} showed a window"
done

# The follower heard the play and the pause after the first status.
kill "$follow_pid"
awk '/^Playing$/ && NR > 1 {p = 1} /^Paused$/ && p {ok = 1} END {exit !ok}' "$work/follow" ||
  fail "playerctl --follow: $(tr '\n' ' ' <"$work/follow")"

# Quit: the orderly end.
dbus-send --session --type=method_call --dest="$bus_name" /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
wait_for "Quit did not end the program" eval '! kill -0 $app_pid'
wait "$app_pid" || fail "Quit: exit status $?"

# No session bus: the program starts and works, and says so once.
DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus "$app" "$work/a.mpg" >"$work/log" 2>&1 &
app_pid=$!
wait_tenths=600 wait_for "no control window without a bus" visible ReelBox
wait_for "no movie window without a bus" visible Form2
[[ $(grep -c "session bus" "$work/log") == 1 ]] || fail "log without a bus: $(cat "$work/log")"
echo "ok"
