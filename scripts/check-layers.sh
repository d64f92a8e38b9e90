#!/usr/bin/env bash
# Checks the includes of the project's own code against its layers:
#
#   app/                                   the program; may include every layer below
#   controls/ components/ i18n/ dbengine/  the middle floor; each includes itself and framework/
#   framework/                             the ground floor; includes only itself
#
# and that no portable file (one not under a win32/ folder) includes a Windows header or a
# project header from a win32/ folder, since the portable core builds natively as well.
# The build-time programs (tools/, fuzz/, bench/) are native: only the portable rule applies.
#
# Usage: check-layers.sh [SOURCE_ROOT]. Prints one line per offending include and exits 1 when
# there is any.
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

middle_floor="controls components i18n dbengine"

# Includes of one middle-floor subsystem that reach another one, each with its reason, as
# "FROM_FILE -> INCLUDED_FILE". There are none: the floor's subsystems meet in app/.
allowed_across=()

# Win32 API headers (matched without regard to case, as the file system of the target does).
windows_header='^(win[a-z0-9_]*|shlobj|shellapi|shlwapi|commctrl|commdlg|bcrypt|ncrypt|objbase|ole2|oleauto|ws2tcpip|mswsock|iphlpapi|psapi|tlhelp32|dbghelp|richedit|uxtheme|dwmapi|mmsystem|setupapi|userenv|lmcons|sspi|security|rpc|unknwn|wtypes|tchar|aclapi|sddl|sql|sqlext|odbcinst)\.h$'

faults=0
fault() {
  echo "$1:$2: $3" >&2
  faults=$((faults + 1))
}

# The subsystem a path belongs to: its first folder.
subsystem_of() { echo "${1%%/*}"; }

is_portable() { [[ "/$1" != */win32/* ]]; }

is_allowed_across() {
  local pair="$1 -> $2" allowed
  for allowed in "${allowed_across[@]+"${allowed_across[@]}"}"; do
    [[ $allowed == "$pair" ]] && return 0
  done
  return 1
}

# May a file of subsystem FROM include a project header of subsystem TO?
may_include() {
  local from=$1 to=$2
  [[ $from == "$to" || $to == framework ]] && return 0
  case $from in
    app) return 0 ;;
    framework) return 1 ;;
  esac
  [[ " $middle_floor " == *" $from "* ]] || return 0  # tools, fuzz, bench: not layered
  return 1
}

check_file() {
  local file=$1 line_number=0 line included
  local from
  from=$(subsystem_of "$file")
  while IFS= read -r line || [[ -n $line ]]; do
    line_number=$((line_number + 1))
    [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"\<]([^\"\>]+)[\"\>] ]] || continue
    included=${BASH_REMATCH[1]}
    if [[ $line =~ \< ]]; then  # a system header: no layer, but maybe Windows'
      if is_portable "$file" && [[ ${included,,} =~ $windows_header ]]; then
        fault "$file" "$line_number" "portable file includes the Windows header <$included>"
      fi
      continue
    fi
    [[ -e $included ]] || continue   # the folder's own headers, generated ones
    local to
    to=$(subsystem_of "$included")
    if is_portable "$file" && ! is_portable "$included"; then
      fault "$file" "$line_number" "portable file includes the Windows-only \"$included\""
    fi
    if ! may_include "$from" "$to" && ! is_allowed_across "$file" "$included"; then
      fault "$file" "$line_number" "$from/ may not include \"$included\" ($to/ is not below it)"
    fi
  done < "$file"
}

while IFS= read -r -d '' file; do
  check_file "${file#./}"
done < <(find ./app ./controls ./components ./i18n ./dbengine ./framework ./tools ./fuzz ./bench \
           -type f \( -name '*.h' -o -name '*.cpp' \) -print0 2>/dev/null | sort -z)

if ((faults > 0)); then
  echo "check-layers: $faults include(s) against the layers" >&2
  exit 1
fi
echo "check-layers: every include points down"
