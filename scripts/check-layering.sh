#!/usr/bin/env bash
# Checks the folders of src/ against their layers: a file may include headers of its own folder
# and of folders on lower layers only. So no include points up, and no two folders include each
# other, directly or around a circle (a circle must climb somewhere). Exits 1 with every
# offending include listed, 0 (and a one-line summary) when all is well.
# Above the program stand tools/, then tests/ and bench/: a test or benchmark may use anything,
# a tool only the program, and nothing in src/ includes a header of those three.
#   scripts/check-layering.sh [src folder]      (default: src next to this script)
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
top=$(dirname "$src")

# Layer of each folder, bottom up. A new folder gets a layer here, above what it uses.
declare -A layer=(
  [platform]=0
  [vbnum]=1 [controls]=1 [mci]=1 [platform/linux]=1 [platform/cdio]=1 [platform/mpv]=2
  [settings]=2
  [playlist]=3
  [movie]=4 [audio]=4
  [playback]=5 [shell]=5
  [videocd]=6 [mpris]=6
  [app]=7
)

# The folder a path belongs to: platform's implementations are folders of their own.
folder_of() {
  case $1 in
    platform/linux/*) echo platform/linux ;;
    platform/mpv/*) echo platform/mpv ;;
    platform/cdio/*) echo platform/cdio ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;  # a file at the top of src/
  esac
}

# The headers of src/ a file includes, as paths under src/: "..." and <...> alike, a path beside
# the file or climbing out of it (../) resolved to where it points.
src_includes() {  # <file>
  local dir target path
  dir=$(dirname "$1")
  while IFS= read -r target; do
    if [[ -e $dir/$target ]]; then
      path=${dir#"$src"/}/$target
    elif [[ -e $src/$target ]]; then
      path=$target
    else
      continue  # a system or Qt header
    fi
    [[ $path == *./* ]] && path=$(realpath -m --relative-to="$src" "$src/$path")
    if [[ $path != ../* ]]; then echo "$path"; fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]\([^">]*\)[">].*/\1/p' "$1")
}

bad=0
edges=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  from=$(folder_of "$rel")
  [[ -n $from ]] || continue
  if [[ -z ${layer[$from]+x} ]]; then
    echo "$rel: folder '$from' has no layer in $0" >&2
    bad=1
    continue
  fi
  while IFS= read -r target; do
    to=$(folder_of "$target")
    [[ -n $to && $to != "$from" ]] || continue
    edges=$((edges + 1))
    if [[ -z ${layer[$to]+x} ]]; then
      echo "$rel: includes $target from folder '$to', which has no layer" >&2
      bad=1
    elif ((layer[$to] >= layer[$from])); then
      echo "$rel: includes $target: $from (layer ${layer[$from]}) may not use $to (layer ${layer[$to]})" >&2
      bad=1
    fi
  done < <(src_includes "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

# Headers of the folders above the program, by name (they are included by name alone).
declare -A above=()
for dir in tools tests bench; do
  [[ -d $top/$dir ]] || continue
  while IFS= read -r header; do
    above[$(basename "$header")]=$dir
  done < <(find "$top/$dir" -type f -name '*.h')
done
# Includes naming neither a header of src/ nor one beside the file, but one of tools/tests/bench:
# from src/ any such include is wrong, from tools/ those of tests/ and bench/.
check_above() {  # <folder of files> <folders not to use...>
  local dir=$1 file target name
  shift
  while IFS= read -r file; do
    while IFS= read -r target; do
      [[ -e $src/$target || -e $(dirname "$file")/$target ]] && continue
      name=$(basename "$target")
      [[ -n ${above[$name]+x} ]] || continue
      for banned in "$@"; do
        if [[ ${above[$name]} == "$banned" ]]; then
          echo "${file#"$top"/}: includes \"$target\" from $banned/" >&2
          bad=1
        fi
      done
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done < <(find "$dir" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
}
check_above "$src" tools tests bench
[[ -d $top/tools ]] && check_above "$top/tools" tests bench

if ((bad)); then
  echo "include layering: FAILED" >&2
  exit 1
fi
echo "include layering: ok ($edges includes between folders, all pointing down)"
