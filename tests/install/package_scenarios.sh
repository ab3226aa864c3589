# The Debian package, built by CPack from this build folder (the test build: its program, stripped
# of debug sections, is what the package ships), as a distribution's reviewer and a new user meet
# it: lintian finds only the tags tests/install/lintian-tags justifies; the package installs into
# a throwaway root whose dpkg database is this machine's (its dependencies checked against what is
# installed here, its files against theirs); the desktop entry offers it for every type it names,
# .cue images among them; the installed program shows both windows, with the icon at every size,
# and a clip's picture; purging it leaves no file behind.
# Checks: program_icon.cpp (src/shell); the files of data/ and man/.
package() {
  local deb root=$work/root db tags expected report
  (cd "$build" && cpack -G DEB -B "$work/cpack") >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
  deb=$(ls "$work"/cpack/reelbox_*.deb)

  # Every tag lintian gives is listed with its reason, and every listed tag is still given.
  tags=$(lintian --pedantic -I -E "$deb" 2>/dev/null | awk '{print $3}' | sort -u)
  expected=$(sed -n 's/^\([a-z0-9-]*\) .*/\1/p' "$here/../install/lintian-tags" | sort -u)
  [[ $tags == "$expected" ]] || fail "lintian tags: $(diff <(echo "$expected") <(echo "$tags"))"

  db=$root/var/lib/dpkg
  mkdir -p "$db/info" "$db/updates"
  cp /var/lib/dpkg/status "$db/"
  cp /var/lib/dpkg/info/*.list "$db/info/"
  touch "$db/available"
  dpkg --root="$root" -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"

  report=$(appstreamcli validate --pedantic --no-net "$root"/usr/share/metainfo/*.metainfo.xml) ||
    fail "appstreamcli validate: $report"
  report=$(desktop-file-validate "$root"/usr/share/applications/*.desktop) && [[ -z $report ]] ||
    fail "desktop-file-validate: $report"
  # The desktop's "Open with" list: what the package's trigger makes of the desktop entry.
  update-desktop-database "$root/usr/share/applications"
  for t in application/x-cue video/mpeg video/x-cdxa application/x-reelbox-list; do
    grep -q "^$t=.*org.reelbox.reelbox.desktop" "$root/usr/share/applications/mimeinfo.cache" ||
      fail "not offered for $t"
  done
  rm "$root/usr/share/applications/mimeinfo.cache"

  make_clip clip testsrc 5
  (cd / && HOME=$work/home exec "$root/usr/bin/reelbox" "$work/clip.mpg") >"$work/log" 2>&1 &
  app_pid=$!
  app_up package
  shows clip
  # The window's icon: each size drawn from the SVG, as the icon theme has them (Qt hands the
  # window manager those up to 128 pixels).
  [[ $(xprop -id "$(window_id ReelBox)" _NET_WM_ICON | grep -o 'Icon ([0-9]* x' | tr -dc '0-9\n' |
       sort -n | xargs) == "16 24 32 48 64 128" ]] || fail "the window icon's sizes"
  end_app package

  dpkg --root="$root" --purge reelbox >"$work/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$work/dpkg.log")"
  report=$(find "$root" -path "$db" -prune -o ! -type d -print)
  [[ -z $report ]] || fail "left after purge: $report"
}
