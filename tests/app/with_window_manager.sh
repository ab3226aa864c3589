#!/bin/sh
# Runs a command on the current X display with a window manager (openbox) managing its windows.
#   with_window_manager.sh COMMAND [ARGS...]
command -v openbox >/dev/null || { echo "openbox is missing (scripts/install-deps.sh --test)" >&2; exit 1; }
# Openbox announces itself on the root window before it manages windows, and a window mapped in
# between is never managed; it runs its --startup command once it is ready.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
openbox --sm-disable --startup "touch $dir/ready" >"$dir/log" 2>&1 &
wm=$!
i=0
until [ -e "$dir/ready" ]; do
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 $wm 2>/dev/null; then
    echo "openbox did not start:" >&2
    cat "$dir/log" >&2
    kill $wm 2>/dev/null
    exit 1
  fi
  sleep 0.1
done
"$@"
rc=$?
kill $wm 2>/dev/null
wait $wm 2>/dev/null
exit $rc
