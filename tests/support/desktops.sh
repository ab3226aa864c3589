# The desktops and sound servers users run, for the tests and benchmarks that run the real
# program on them. Source it after `set -euo pipefail`; it sources xvfb.sh and adds:
#   start_bus               a private session bus (the desktop's, for xfconfd, trays, portals)
#   start_desktop DESKTOP   bare (Xvfb alone), openbox, xfwm4 (compositor off), or weston (its
#                           XWayland with Weston's own X window manager; $weston_pid); sets
#                           $desktop and DISPLAY
#   start_server SOUND      pulse (PulseAudio with a null sink) or pipewire (pipewire,
#                           wireplumber and pipewire-pulse with a null sink, start_pipewire);
#                           $sound_pid is the server ALSA's default reaches through its pulse plugin
#   start_wm, start_xfwm4   openbox or xfwm4 on the current display ($wm_pid)
#   wm_ready                whether a window manager announced itself on the root window
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
extra_pids=()
finish() {
  local p
  for p in "${extra_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  cleanup
}
trap finish EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

start_bus() {
  dbus-daemon --session --address="unix:path=$XDG_RUNTIME_DIR/bus" --nofork --nopidfile >/dev/null 2>&1 &
  extra_pids+=($!)
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
  wait_for "no session bus" test -S "$XDG_RUNTIME_DIR/bus"
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
start_xfwm4() {
  xfwm4 --compositor=off --sm-client-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  wait_for "xfwm4 did not start" wm_ready
}
start_desktop() {
  desktop=$1
  case $desktop in
    bare) start_xvfb 1280x1024x24 ;;
    openbox) start_xvfb 1280x1024x24; start_wm ;;
    xfwm4) start_xvfb 1280x1024x24; start_xfwm4 ;;
    weston)
      # Weston makes /tmp/.X11-unix/X<n> for its XWayland and says which display it took.
      mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix 2>/dev/null || true
      weston --backend=headless-backend.so --xwayland --socket="reelbox-$$" --width=1280 \
             --height=1024 --idle-time=0 >"$work/wm.log" 2>&1 &
      weston_pid=$!
      extra_pids+=($weston_pid)
      wait_for "weston did not start" grep -q 'xserver listening on display' "$work/wm.log"
      export DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$work/wm.log" | awk '{print $5}')
      unset QT_QPA_PLATFORM WAYLAND_DISPLAY
      wait_for "no window manager on weston's XWayland" wm_ready ;;
  esac
}
start_pipewire() {
  pipewire >/dev/null 2>&1 &
  extra_pids+=($!)
  wait_for "pipewire did not start" test -S "$XDG_RUNTIME_DIR/pipewire-0"
  wireplumber >/dev/null 2>&1 &
  extra_pids+=($!)
  pipewire-pulse >/dev/null 2>&1 &
  sound_pid=$!
  wait_for "pipewire-pulse did not start" pactl info
  pactl load-module module-null-sink sink_name=null >/dev/null
  pactl set-default-sink null
  wait_for "no default sink on pipewire" eval '[[ $(pactl get-default-sink) == null ]]'
}
start_server() { if [[ $1 == pulse ]]; then start_sound; else start_pipewire; fi; }

