# A PulseAudio server with one null sink, private to the test (its own XDG_RUNTIME_DIR under
# $work), so that ALSA's default device of every program the test starts is that server. Source
# it after xvfb.sh. Offers:
#   start_pulse               start it and wait until it answers
#   sink_volume               the sink's raw volume per channel, e.g. "40000 40000"
#   set_sink_volume V [V...]  set it (one value per channel)
pulse_pid=""
stop_pulse() {
  [[ -n $pulse_pid ]] && { kill "$pulse_pid" 2>/dev/null; wait "$pulse_pid" 2>/dev/null; } || true
  pulse_pid=""
}
trap 'stop_pulse; cleanup' EXIT

start_pulse() {
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=no --exit-idle-time=-1 -n --load=module-null-sink \
             --load=module-native-protocol-unix >/dev/null 2>&1 &
  pulse_pid=$!
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "PulseAudio did not start"
}

sink_volume() {
  pactl get-sink-volume @DEFAULT_SINK@ | grep -o ': *[0-9]* */' | tr -dc '0-9 \n' | xargs
}

set_sink_volume() {
  pactl set-sink-volume @DEFAULT_SINK@ "$@"
}
