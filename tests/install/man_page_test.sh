#!/usr/bin/env bash
# The manual pages (man/man1/reelbox.1 and the Japanese man/ja/man1/reelbox.1) name every file
# kind the command line takes, the Video-CD switch, and every environment variable the program
# reads; each renders without a warning from groff.
# Checks: file_kind.cpp (src/playlist); command_line.cpp (src/app); mpv_engine.cpp
# (src/platform/mpv); linux_drive_table.cpp (src/platform/cdio); main.cpp (src/app).
#   tests/install/man_page_test.sh [repository root]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"
pages=(man/man1/reelbox.1 man/ja/man1/reelbox.1)
# The kinds: u".mpg" and u"mpeg" comparisons, and lists of extensions written out.
mapfile -t kinds < <(grep -ohE 'u"\.?[a-z0-9]+"|QStringLiteral\("[a-z0-9]+"\)' src/playlist/file_kind.cpp |
                     grep -oE '"\.?[a-z0-9]+"' | tr -d '".' | sort -u)
mapfile -t variables < <(grep -rohE '(getenv|qgetenv|qEnvironmentVariable[A-Za-z]*|envOr)\("[A-Z_]+"' src |
                         grep -oE '[A-Z_]{2,}' | sort -u)
((${#kinds[@]} >= 6 && ${#variables[@]} >= 5)) || { echo "found too few: ${kinds[*]} ${variables[*]}"; exit 1; }
status=0
for page in "${pages[@]}"; do
  for kind in "${kinds[@]}"; do
    grep -qE "\\.$kind([^a-z0-9]|$)" "$page" || { echo "$page: no .$kind"; status=1; }
  done
  for variable in "${variables[@]}"; do
    grep -qw "$variable" "$page" || { echo "$page: no $variable"; status=1; }
  done
  grep -q '^\.B reelbox 1$' "$page" || { echo "$page: no Video-CD switch"; status=1; }
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || { echo "$page: $warnings"; status=1; }
done
exit $status
