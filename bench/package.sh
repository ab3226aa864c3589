#!/usr/bin/env bash
# The Debian package: built by CPack in a build folder, checked by lintian and appstreamcli, its
# size; with --install also installed on this machine with apt-get, the installed program started
# on a clip under Xvfb until its picture shows (timed), and purged again with a check that no
# file of it is left. Installing touches /usr: run it as root on a machine you may change.
#   bench/package.sh [build directory] [--install]
set -euo pipefail
build=$(realpath "${1:-build}")
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$build"/reelbox_*.deb)
echo "package: $(basename "$deb"), $(($(stat -c %s "$deb") / 1024)) KiB," \
     "installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
lintian "$deb" 2>/dev/null | grep '^E:' && fail "lintian reports errors"
dpkg-deb -x "$deb" "$work/tree"
appstreamcli validate --no-net "$work"/tree/usr/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "appstreamcli validate"
echo "lintian: no errors; appstreamcli validate: passed"
[[ ${2:-} == --install ]] || exit 0

t0=$(date +%s%3N)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
  fail "apt-get install: $(cat "$work/apt.log")"
echo "apt-get install: $(($(date +%s%3N) - t0)) ms"
dpkg -L reelbox >"$work/files"
start_xvfb 1280x1024x24
export REELBOX_AO=null
start_sound
ffmpeg -v error -f lavfi -i testsrc=size=352x240:rate=30000/1001 -t 5 -target ntsc-vcd "$work/clip.mpg"
picture() {  # a coloured pixel inside the movie window's picture
  local id
  id=$(window_id "$movie_window") || return 1
  import -window "$id" -crop 20x20+100+60 "$work/p.png" 2>/dev/null
  [[ $(convert "$work/p.png" -format '%[fx:mean]' info:) != 0 ]]
}
t0=$(date +%s%3N)
(cd / && HOME=$work exec /usr/bin/reelbox "$work/clip.mpg") >"$work/log" 2>&1 &
app_pid=$!
wait_for "no picture from the installed program" picture
echo "start to first picture: $(($(date +%s%3N) - t0)) ms"
kill "$app_pid"; wait "$app_pid" || true; app_pid=""
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq reelbox >"$work/apt.log" 2>&1
while read -r f; do [[ -d $f || ! -e $f ]] || fail "left after purge: $f"; done <"$work/files"
echo "apt-get purge: nothing left"
