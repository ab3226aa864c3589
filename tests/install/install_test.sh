#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: the program with its help page beside it, a command in
# bin, a valid .desktop file for movies and list files, the MIME types it names, and the icon.
#   install_test.sh <build dir>
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

env -u DESTDIR cmake --install "$build" --prefix "$prefix" >/dev/null

program=$(readlink -f "$prefix/bin/reelbox")
[[ -x $program ]] || fail "bin/reelbox does not lead to the program"
[[ -s $(dirname "$program")/reelbox.htm ]] || fail "no help page next to $program"
grep -q '<html lang="ja">' "$(dirname "$program")/reelbox.htm" || fail "help page is not the Japanese one"

desktop=$prefix/share/applications/reelbox.desktop
report=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"
for key in 'Name=ReelBox' 'GenericName\[ja\]=' 'Exec=reelbox %F' 'Icon=reelbox' \
           'Categories=AudioVideo;Player;Video;'; do
  grep -q "^$key" "$desktop" || fail "no $key in the .desktop file"
done
[[ -s $prefix/share/icons/hicolor/scalable/apps/reelbox.svg ]] || fail "no icon"

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
echo ok
