# The real program as a whole (tests/support/scenarios.sh runs these).
# Checks: main.cpp, form1.cpp, form_load.cpp, form_unload.cpp, form1_layout.cpp, key_bindings.cpp
# (src/app); accessible_name.cpp, enter_clicks.cpp, press.cpp, scroll_bar.cpp (src/controls);
# form2.cpp, form2_load.cpp, form2_menu.cpp (src/movie); termination_signals.cpp,
# x11_screen_saver.cpp, x11_map_keeper.cpp, x11_window_class.cpp, x11_frame_extents.cpp,
# qt_dialogs.cpp (src/platform/linux).

# Started and ended, again and again: both windows come up every time, the movie window right of
# the control window's frame, level with its top.
beside_frame() {
  local movie top right
  movie=$(window_id "$movie_window")
  read -r _ top right _ <<<"$(frame_of "$(window_id ReelBox)" "$movie")"
  [[ $(window_origin "$movie") == "$right $top" ]]
}
starts() {
  for i in $(seq "$([[ $set == " quick " ]] && echo 5 || echo 20)"); do
    start_app "start $i"
    # With no settings file, every start places the movie window beside the frame. (Not on
    # Weston: about one start in ten its shell maps the window at a place of its own, and its X
    # window manager moves no window for the program.)
    [[ $desktop == weston ]] || wait_for "start $i: the movie window is not beside the control window's frame" beside_frame
    stop_app "start $i"
  done
}

# SIGTERM, SIGINT and SIGHUP end the program at once in every state (before its event loop runs,
# with a message box or the popup menu open, after odd files at start) with the screen saver back
# on. Started, the movie window stands beside the control window at its default size.
started() {
  app_up started
  read -r cx cy cw _ <<<"$(geometry "$(window_id ReelBox)")"
  read -r mx my mw mh <<<"$(geometry "$(window_id "$movie_window")")"
  [[ "$mx $my $mw $mh" == "$((cx + cw)) $cy 343 263" ]] ||
    fail "movie window at $mx,$my $mw x $mh; control window at $cx,$cy width $cw"
}
popup_open() { started; movie_menu; }
# The first entry's message box is up while start-up waits on it, the other entries still to come.
box_shown() { wait_for "no message box" eval '[[ -n $(xdotool search --onlyvisible --name "^削除") ]]'; }
signals() {
  make_clip clip testsrc 1
  printf 'no equals sign\r\n%.0s' 1 2 3 >"$work/bad.vep"
  mkfifo "$work/fifo.vep"
  # Each state: the arguments and the settings file the program starts with, and how the test
  # knows it is there (started, unless said otherwise). 32767 x 32767 pixels is a window no screen
  # and no GL driver takes; a movie opens in it.
  local -A args=([list_loading]="$work/bad.vep" [fifo]="$work/fifo.vep" [huge_window]="$work/clip.mpg")
  local -A ini=([huge_window]=$'\r\n 0\r\n 0\r\n 0\r\n 491505\r\n 491505\r\n')
  local -A reach=([popup]=popup_open [list_loading]=box_shown)
  for row in "running TERM" "running INT" "running HUP" "list_loading TERM" "list_loading INT" \
             "list_loading HUP" "popup TERM" "fifo TERM" "huge_window TERM"; do
    read -r state sig <<<"$row"
    printf '%s' "${ini[$state]:-}" >"$work/app/reelbox.ini"
    # shellcheck disable=SC2086  # no blanks in the work folder's paths
    run_app ${args[$state]:-}
    "${reach[$state]:-started}"
    end_app "$state: SIG$sig" "$sig"
    [[ $(saver_timeout) == 321 ]] || fail "$state: SIG$sig: screen-saver timeout $(saver_timeout) after the end"
  done
  rm -f "$work/app/reelbox.ini"
}

# The control window from the keyboard alone, under a window manager: Tab walks every control in
# reading order and comes round again (no trap), Space and Enter press buttons and tick boxes, the
# arrows, Page Up/Down and Home/End move the position slider (Home, End and an arrow the volume
# slider), the mouse wheel moves the volume one SmallChange a notch upwards, and the movie
# window's menu opens with the Menu key and Shift+F10.
# What each key did is read back through the media controls (playerctl). Then the accessible tree
# of both windows and of each dialog, as a screen reader reads it over AT-SPI: no control that
# takes the focus is without a name.
tree_py=$(dirname "${BASH_SOURCE[0]}")/accessible_tree.py
focused() { /usr/bin/python3 "$tree_py" reelbox --focused; }
# The tree of the windows named, once the reader can see them (a fail inside wait_for would end
# the run without its message).
tree_of() { /usr/bin/python3 "$tree_py" reelbox "$@" >"$work/tree" 2>&1; }
tree() { wait_until tree_of "$@" || fail "accessible tree of $*: $(grep -v '^ ' "$work/tree" | head -20)"; }
dialog_shown() { [[ -n $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]]; }
# Focus on control NAME by Tab or Shift+Tab, whichever passes fewer controls.
focus() {
  local k
  for k in "${!chain[@]}"; do [[ ${chain[$k]%%|*} == "$1" ]] && break; done
  if ((k > at)); then
    xdotool key --delay 20 $(printf 'Tab %.0s' $(seq $((k - at))))
  elif ((k < at)); then
    xdotool key --delay 20 $(printf 'shift+Tab %.0s' $(seq $((at - k))))
  fi
  at=$k
}
length() { awk -v us="$(pc metadata mpris:length)" 'BEGIN { print us / 1e6 }'; }
keyboard() {
  command -v playerctl >/dev/null || fail "playerctl is missing (scripts/install-deps.sh --test)"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  make_clip a testsrc 8
  make_clip b testsrc 8
  run_app "$work/a.mpg" "$work/b.mpg"
  # Start-up on a busy machine can take longer than any one step.
  wait_tenths=600 wait_for "the movie did not open" is Stopped status
  local control x y h
  control=$(window_id ReelBox)
  xdotool windowactivate --sync "$control"

  # Tab from the first control (the drive list is off outside Video-CD mode) through every other
  # in reading order and round to the first again, as a screen reader announces each:
  # control | name (a glyph's meaning: "|<" is "前のﾘｽﾄへ").
  chain=("Dir1|ﾌｫﾙﾀﾞ一覧" "File1|ﾌｧｲﾙ一覧" "Command1|ﾌｧｲﾙ指定" "Command12|ﾌｫﾙﾀﾞ指定"
         "List2|再生ﾘｽﾄ一覧 a.mpg 選択中" "cmdUp|上へ移動" "cmdDown|下へ移動" "Command20|ﾘｽﾄを開く"
         "Command19|ﾘｽﾄ保存" "Command21|表示名変更" "Command15|ﾘｽﾄｸﾘｱ" "Command13|全ﾘｽﾄｸﾘｱ"
         "HScroll1|再生位置" "Check6|ﾌﾚｰﾑ/時間表示切替" "Command10|前のﾘｽﾄへ" "Command6|1ﾌﾚｰﾑ戻る"
         "Command2|再生/1時停止" "Command9|停止" "Command5|1ﾌﾚｰﾑ進む" "Command11|次のﾘｽﾄへ"
         "Command14|スロー" "Command3|早送り" "Command4|Org" "Command7|縮小" "Command8|拡大"
         "Command22|Full" "Command23|Set"
         "Check2|Full Screen" "Check3|Loop" "Check7|-->　選択のみ" "Check4|手前に表示"
         "Check1|ｻﾌﾞﾌｫﾙﾀﾞ含む" "Check5|Video-CD" "HScroll2|ﾎﾞﾘｭｰﾑ" "Command16|非表示"
         "Command17|About" "Command18|Help" "Dir1|ﾌｫﾙﾀﾞ一覧")
  for k in "${!chain[@]}"; do
    ((k == 0)) || xdotool key Tab
    want=${chain[$k]#*|}
    wait_for "Tab $k: focus on '$(focused)', not on '$want'" eval '[[ $(focused) == "$want" ]]'
  done
  unset 'chain[-1]'
  at=0

  # control | keys | the state waited for. Loop goes off before the slider reaches the end, where
  # it would start the movie again (the "selected only" box is off while Loop is, and drops out
  # of the chain). 0.3337 s is SmallChange (10 frames), 1.6683 s LargeChange.
  for row in "Command2 | space | is Playing status" "Command2 | Return | is Paused status" \
      "Check3 | space | is None loop" "HScroll1 | End | near \$(length)" "HScroll1 | Home | near 0" \
      "HScroll1 | Right | near 0.3337" "HScroll1 | Prior | near 2.002" \
      "HScroll1 | Next | near 0.3337" "HScroll1 | Left | near 0" "Command5 | space | near 0.0334" \
      "Command9 | Return | near 0" \
      "Command3 | space | eval [[ \$(mpris_get Rate) == 1.25 ]]" \
      "Command14 | space | eval [[ \$(mpris_get Rate) == 1 ]]" "Check3 | space | is Playlist loop" \
      "Check7 | space | is Track loop" "HScroll2 | Home | near 0 volume" \
      "HScroll2 | End | near 1 volume" "HScroll2 | Left | near 0.9 volume" \
      "Command2 | space | is Playing status"; do
    IFS='|' read -r name keys check <<<"$row"
    focus "${name// /}"
    # shellcheck disable=SC2086  # several keys
    xdotool key $keys
    wait_for "$name, $keys: not $check (position $(pc position), volume $(pc volume))" eval "$check"
  done

  # The wheel over the volume slider: a notch up raises it by SmallChange, down lowers it.
  read -r x y _ h <<<"$(geometry "$control")"
  xdotool mousemove $((x + 70)) $((y + h - 20))
  for row in "5 0.8" "5 0.7" "4 0.8"; do
    read -r button want <<<"$row"
    xdotool click "$button"
    wait_for "wheel button $button: volume $(pc volume), not $want" near "$want" volume
  done

  # The accessible trees: both windows, then each dialog opened from the keyboard. The playlist
  # is named by its tool tip, which follows the selected entry.
  tree ReelBox "a.mpg - ReelBox"
  grep -q '"再生ﾘｽﾄ一覧 a.mpg 選択中"' "$work/tree" || fail "the playlist is not named by its tool tip"
  for row in "Command12|ﾌｫﾙﾀﾞ 指定ｵﾌﾟｼｮﾝ" "Command23|ｻｲｽﾞ指定" "Command21|選択ﾘｽﾄ表示名変更" \
             "Command17|ReelBoxのﾊﾞｰｼﾞｮﾝ情報"; do
    IFS='|' read -r name title <<<"$row"
    focus "$name"
    xdotool key space
    wait_for "$name: no dialog $title" dialog_shown "$title"
    tree "$title"
    xdotool key Escape
    wait_for "$name: the dialog $title stays" eval '! dialog_shown "$title"'
    # The movie window may come in front after a dialog; the control window keeps its focus.
    xdotool windowactivate --sync "$control"
  done

  # The movie window's menu from the keyboard, and away again with Escape.
  for keys in Menu shift+F10; do
    xdotool windowactivate --sync "$(window_id "$movie_window")"
    xdotool key "$keys"
    wait_for "$keys: no menu" menu_shown
    xdotool key Escape
    wait_for "$keys: the menu stays" eval '! menu_shown'
  done
  movie_keys
}

# The movie window's keys (the help page's table), each pressed into the movie window: the
# buttons' own work, read back through the media controls; the media keys from the control
# window. Then nothing open (the list cleared): Space does nothing, and the volume key after it
# shows that it has been seen.
movie_keys() {
  local movie full='[[ $(geometry "$movie") == "0 0 1280 1024" ]]'
  movie=$(window_id "a.mpg - ReelBox") || fail "no movie window named 'a.mpg - ReelBox'"
  # As a taskbar lists them: by the entry's name, under the one class, with the program's icon.
  [[ $(wmctrl -l) != *Form2* ]] || fail "a window named Form2: $(wmctrl -l)"
  for id in "$control" "$movie"; do
    [[ $(xprop -id "$id" WM_CLASS) == 'WM_CLASS(STRING) = "reelbox", "ReelBox"' ]] &&
      [[ $(xprop -id "$id" _NET_WM_ICON) == *CARDINAL* ]] ||
      fail "window $id: $(xprop -id "$id" WM_CLASS), icon $(xprop -id "$id" _NET_WM_ICON | head -1)"
  done
  for row in "Home | is Stopped status" "Right | near 0.0334" "period | near 0.0667" \
      "Left | near 0.0334" "comma | near 0" "space | is Playing status" \
      "Home | is Stopped status && near 0" "Up | near 0.9 volume" "Down | near 0.8 volume" \
      "Next | is b.mpg metadata xesam:title" "Prior | is a.mpg metadata xesam:title" \
      "f | $full" "Return | ! $full" "KP_Enter | $full" "Escape | ! $full"; do
    IFS='|' read -r keys check <<<"$row"
    xdotool windowactivate --sync "$movie" key $keys
    wait_for "movie window, $keys: not $check (position $(pc position), volume $(pc volume))" \
      eval "$check"
  done
  xdotool windowactivate --sync "$control"
  for row in "XF86AudioPlay | is Playing status" "XF86AudioNext | is b.mpg metadata xesam:title" \
      "XF86AudioStop | is Stopped status" "XF86AudioPrev | is a.mpg metadata xesam:title"; do
    IFS='|' read -r keys check <<<"$row"
    xdotool key $keys
    wait_for "control window, $keys: not $check" eval "$check"
  done
  focus Command13
  xdotool key space
  wait_for "no box 全ﾘｽﾄｸﾘｱ" dialog_shown 全ﾘｽﾄｸﾘｱ
  xdotool key Return
  wait_for "the list was not cleared" window_id "Movie - ReelBox"
  xdotool windowactivate --sync "$movie" key space Up
  wait_for "nothing open: Up did not raise the volume" near 0.9 volume
  is Stopped status || fail "nothing open: Space did $(pc status)"
}
