#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: the program with its help page beside it, a command in
# bin, a valid .desktop file for movies and list files, the MIME types it names, and the icon.
# Then the installed program, run by a user who may not write into its folder, on an X server:
# "H" opens its help page, and the movie window's place is saved in the user's config folder.
#   install_test.sh <build dir>
set -euo pipefail
build=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
prefix=$work/prefix
trap 'chmod -R u+w "$work" 2>/dev/null; cleanup' EXIT  # the program's folder is made read-only

env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  fail "cmake --install: $(cat "$work/install.log")"

program=$(readlink -f "$prefix/bin/reelbox")
[[ -x $program ]] || fail "bin/reelbox does not lead to the program"
[[ -s $(dirname "$program")/reelbox.htm ]] || fail "no help page next to $program"
grep -q '<html lang="ja">' "$(dirname "$program")/reelbox.htm" || fail "help page is not the Japanese one"

desktop=$prefix/share/applications/org.reelbox.ReelBox.desktop
report=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"
for key in 'Name=ReelBox' 'GenericName\[ja\]=' 'Exec=reelbox %F' 'Icon=reelbox' \
           'Categories=AudioVideo;Player;Video;'; do
  grep -q "^$key" "$desktop" || fail "no $key in the .desktop file"
done
[[ -s $prefix/share/icons/hicolor/scalable/apps/reelbox.svg ]] || fail "no icon"
report=$(appstreamcli validate --no-net "$prefix/share/metainfo/org.reelbox.ReelBox.metainfo.xml") ||
  fail "appstreamcli validate: $report"

# Installing updated the prefix's MIME database from our package file. Every type the .desktop
# file names is known, to the system's database or to that one.
[[ -s $prefix/share/mime/types ]] || fail "MIME database not updated"
IFS=';' read -ra types <<<"$(sed -n 's/^MimeType=//p' "$desktop")"
((${#types[@]} >= 4)) || fail "MimeType lists ${#types[@]} types"
for t in "${types[@]}"; do
  grep -qh "^$t\$" /usr/share/mime/types "$prefix/share/mime/types" || fail "unknown MIME type $t"
done
grep -q ':application/x-reelbox-list:\*\.vep$' "$prefix/share/mime/globs2" || fail "*.vep not registered"
grep -aq 'CDXA' "$prefix/share/mime/magic" || fail "Video-CD tracks not recognised by content"

# A user who may not write into the program's folder: root runs it as nobody.
user_home=$work/home
opened=$work/opened
mkdir -p "$work/bin" "$user_home/runtime"
chmod 700 "$user_home/runtime"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$opened" >"$work/bin/xdg-open"  # the desktop's opener
chmod 755 "$work/bin/xdg-open" "$work" "$prefix"
chmod -R a-w "$prefix/lib/reelbox"
as_user=()
if [[ $(id -u) == 0 ]]; then
  chown -R nobody "$user_home"
  touch "$opened" && chown nobody "$opened"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
start_xvfb 1280x1024x24
(cd / && HOME=$user_home XDG_RUNTIME_DIR=$user_home/runtime PATH=$work/bin:$PATH \
   exec "${as_user[@]}" "$prefix/bin/reelbox") >"$work/log" 2>&1 &
app_pid=$!
# No sound here: the mixer's message first.
wait_until visible ReelBox || fail "the installed program did not start: $(cat "$work/log")"
xdotool key Return
wait_until visible Form2 || fail "no movie window"
read -r cx cy <<<"$(window_origin "$(window_id ReelBox)")"
read -r cw ch <<<"$(xwininfo -id "$(window_id ReelBox)" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')"
xdotool mousemove $((cx + cw - 23)) $((cy + ch - 19)) click 1  # "H", the last button
wait_until grep -q "$prefix/lib/reelbox/reelbox.htm" "$opened" || fail "help page not opened: $(cat "$opened")"

# "位置、背景色保存", third from the bottom of the movie window's menu.
read -r mx my <<<"$(window_origin "$(window_id Form2)")"
xdotool mousemove $((mx + 100)) $((my + 100)) click 3
wait_until menu_shown || fail "no popup menu"
xdotool key Up Up Up Return
wait_until test -s "$user_home/.config/reelbox/reelbox.ini" || fail "settings not saved in the config folder"
[[ ! -e $prefix/lib/reelbox/reelbox.ini ]] || fail "settings saved in the program's folder"
kill -TERM "$app_pid"
wait "$app_pid" || fail "exit status $?"
app_pid=""
echo ok
