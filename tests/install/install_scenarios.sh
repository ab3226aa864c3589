# `cmake --install` into a temporary prefix (tests/support/scenarios.sh runs this, without sound):
# the program with its help page beside it, a command in bin, a valid .desktop file for movies and
# list files, the MIME types it names, and the icon at every size. Then the installed program, run by a user who
# may not write into its folder: "H" opens its help page, and the movie window's place is saved in
# the user's config folder.
# Checks: help_about.cpp (src/shell); form2_menu.cpp (src/movie); settings_file.cpp (src/settings);
# linux_desktop.cpp (src/platform/linux).
install_tree() {
  local prefix=$work/prefix program desktop_file report types user_home=$work/home opened=$work/opened
  env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$work/install.log")"
  program=$(readlink -f "$prefix/bin/reelbox")
  [[ -x $program ]] || fail "bin/reelbox does not lead to the program"
  grep -q '<html lang="ja">' "$(dirname "$program")/reelbox.htm" ||
    fail "no Japanese help page next to $program"

  desktop_file=$prefix/share/applications/org.reelbox.reelbox.desktop
  report=$(desktop-file-validate "$desktop_file") && [[ -z $report ]] || fail "desktop-file-validate: $report"
  for key in 'Name=ReelBox' 'GenericName\[ja\]=' 'Exec=reelbox %F' 'Icon=reelbox' \
             'Categories=AudioVideo;Player;Video;'; do
    grep -q "^$key" "$desktop_file" || fail "no $key in the .desktop file"
  done
  for size in scalable 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    [[ -s $(echo "$prefix/share/icons/hicolor/$size/apps/reelbox".*) ]] || fail "no $size icon"
  done
  report=$(appstreamcli validate --no-net "$prefix/share/metainfo/org.reelbox.reelbox.metainfo.xml") ||
    fail "appstreamcli validate: $report"

  # Installing updated the prefix's MIME database from our package file. Every type the .desktop
  # file names is known, to the system's database or to that one.
  [[ -s $prefix/share/mime/types ]] || fail "MIME database not updated"
  IFS=';' read -ra types <<<"$(sed -n 's/^MimeType=//p' "$desktop_file")"
  ((${#types[@]} >= 4)) || fail "MimeType lists ${#types[@]} types"
  for t in "${types[@]}"; do
    grep -qh "^$t\$" /usr/share/mime/types "$prefix/share/mime/types" || fail "unknown MIME type $t"
  done
  grep -q ':application/x-reelbox-list:\*\.vep$' "$prefix/share/mime/globs2" || fail "*.vep not registered"
  grep -aq 'CDXA' "$prefix/share/mime/magic" || fail "Video-CD tracks not recognised by content"

  # A user who may not write into the program's folder: root runs it as nobody.
  mkdir -p "$work/bin" "$user_home/runtime"
  chmod 700 "$user_home/runtime"
  printf '#!/bin/sh\necho "$@" >>"%s"\n' "$opened" >"$work/bin/xdg-open"  # the desktop's opener
  chmod 755 "$work/bin/xdg-open" "$work" "$prefix"
  chmod -R a-w "$prefix/lib/reelbox"
  local as_user=()
  if [[ $(id -u) == 0 ]]; then
    chown -R nobody "$user_home"
    touch "$opened" && chown nobody "$opened"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  (cd / && HOME=$user_home XDG_RUNTIME_DIR=$user_home/runtime PATH=$work/bin:$PATH \
     exec "${as_user[@]}" "$prefix/bin/reelbox") >"$work/log" 2>&1 &
  app_pid=$!
  # No sound here: the mixer's message first.
  wait_for "the installed program did not start" visible ReelBox
  xdotool key Return
  wait_for "no movie window" visible "$movie_window"
  read -r cx cy cw ch <<<"$(geometry "$(window_id ReelBox)")"
  xdotool mousemove $((cx + cw - 23)) $((cy + ch - 19)) click 1  # "H", the last button
  wait_for "help page not opened" grep -q "$prefix/lib/reelbox/reelbox.htm" "$opened"
  movie_menu Up Up Up Return  # "位置、背景色保存", third from the bottom
  wait_for "settings not saved in the config folder" test -s "$user_home/.config/reelbox/reelbox.ini"
  [[ ! -e $prefix/lib/reelbox/reelbox.ini ]] || fail "settings saved in the program's folder"
  end_app install_tree
}
