#!/usr/bin/env bash
# The main job: builds Lintora.exe and shows its dialog under Wine, against a throwaway MariaDB
# server on this machine. The dialog comes up preset for that server (data source "demo", server
# 127.0.0.1, its port, user and password; the server has a database "demo"), so pressing the
# install button (安裝) runs a whole installation against it and shows the success page. Uses the
# current X display; without one it runs on Xvfb, presses the install button itself, writes
# screenshots of both pages to build/demo.png and build/demo-result.png and closes the program.
# Extra arguments replace the presets.
# It shows the 32-bit product where this kernel runs 32-bit programs, otherwise the same program
# built 64-bit.
# It prints one line per step (a build step shows the build's progress as it goes); the tools'
# own output goes to build/demo.log, whose last lines a failure shows.
set -eEuo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mkdir -p build
log="$root/build/demo.log"
: >"$log"
source scripts/steps.sh
steps_begin demo "$log"

# run_step TEXT COMMAND...: the command's output into the log, one line on the terminal with the
# build's latest "[n/N]" while it runs.
run_step() {
  local text="$1"
  shift
  step_now="$text"
  echo "== $text" >>"$log"
  "$@" >>"$log" 2>&1 &
  local pid=$! progress=""
  while kill -0 "$pid" 2>/dev/null; do
    if [ -t 1 ]; then
      progress="$(tail -c 4096 "$log" | grep -o '^\[[0-9]*/[0-9]*\]' | tail -n 1 || true)"
      printf '\rdemo: %s %s' "$text" "$progress"
    fi
    sleep 1
  done
  [ -t 1 ] && printf '\r\033[K'
  wait "$pid"
  echo "demo: $text: done"
}

step_now="checking the machine's packages (scripts/setup.sh)"
scripts/setup.sh
platform=win64
scripts/can-run-32bit.sh && platform=win32
echo "demo: the $platform program (build output: $log)"
run_step "configuring the native build" cmake --preset native
run_step "building the native host tools and core" cmake --build --preset native
run_step "configuring the $platform build" cmake --preset "$platform"
run_step "building the $platform program" cmake --build --preset "$platform" --target Lintora wintool
export LINTORA_WINEARCH="$platform" LINTORA_WINEPREFIX="$root/build/demo-prefix-$platform"
[ -f "$LINTORA_WINEPREFIX/system.reg" ] ||
  run_step "making the Wine prefix" scripts/wine-prefix.sh "$LINTORA_WINEPREFIX"
step_now="showing the dialog"

run_demo() {
  local exe="$root/build/$LINTORA_WINEARCH/app/Lintora.exe"
  # The port and the account of this run's server, as if typed in an earlier run.
  for pair in "Port=$LINTORA_MYSQL_PORT" "User=$LINTORA_MYSQL_USER"; do
    scripts/wine-run.sh reg add 'HKCU\Software\Lintora' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
  done
  mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
    -p"$LINTORA_MYSQL_PASSWORD" -e 'CREATE DATABASE IF NOT EXISTS demo'
  # End that Wine session (the prefix's server stays up until told), so that the program's own
  # session starts on the display used below.
  scripts/wine-prefix.sh --stop "$LINTORA_WINEPREFIX" >/dev/null
  local args=("$@")
  [ "${#args[@]}" -gt 0 ] || args=(demo "$LINTORA_MYSQL_HOST" "$LINTORA_MYSQL_PASSWORD")
  if [ -n "${DISPLAY:-}" ]; then
    scripts/wine-run.sh "$exe" "${args[@]}"
  else
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      "$0" "$@" & program=$!
      for _ in $(seq 1 120); do
        xwininfo -root -tree 2>/dev/null | grep -q "(\"lintora.exe\" \"lintora.exe\")  [0-9][0-9][0-9]x" && break
        sleep 0.5
      done
      sleep 2
      import -window root build/demo.png && echo "screenshot: build/demo.png"
      # The install button, pressed as a user would, and the result page it leads to.
      wintool() { "$0" "$root/build/$LINTORA_WINEARCH/tests/wintool.exe" "$@"; }
      id=$(wintool list TLintoraForm | tr -d "\r" | awk "\$4 == 190 && \$5 == 330 { print \$2 }")
      [ -n "$id" ] && wintool click TLintoraForm "$id"
      sleep 4
      import -window root build/demo-result.png && echo "screenshot: build/demo-result.png"
      WINEPREFIX="$LINTORA_WINEPREFIX" /usr/lib/wine/wineserver -k || true
      wait $program || true' scripts/wine-run.sh "$exe" "${args[@]}"
  fi
}
export -f run_demo
export root
# Wine's own messages go to the log; the screenshots' lines stay on the terminal.
scripts/mariadb-server.sh run bash -c 'run_demo "$@"' demo "$@" 2>>"$log"
