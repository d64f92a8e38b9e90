#!/usr/bin/env bash
# The main job: builds Lintora.exe and shows its dialog under Wine, against a throwaway MariaDB
# server on this machine. Uses the current X display, or a virtual one (Xvfb) when there is none,
# and then writes a screenshot to build/demo.png. Extra arguments go to the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh
cmake --preset native >/dev/null && cmake --build --preset native --target tools_all 2>/dev/null ||
  cmake --build --preset native
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target Lintora
export LINTORA_WINEPREFIX="$root/build/demo-prefix"
[ -f "$LINTORA_WINEPREFIX/system.reg" ] || scripts/wine-prefix.sh "$LINTORA_WINEPREFIX"
exe="$root/build/win64/app/Lintora.exe"
show() {
  if [ -n "${DISPLAY:-}" ]; then
    scripts/wine-run.sh "$exe" "$@"
  else
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      "$0" "$1" "${@:2}" & program=$!
      sleep 8; import -window root build/demo.png; echo "screenshot: build/demo.png"
      wait $program' scripts/wine-run.sh "$exe" "$@"
  fi
}
scripts/mariadb-server.sh run bash -c "$(declare -f show); exe='$exe'; show \"\$@\"" demo "$@"
