#!/usr/bin/env bash
# A whole installation against the start of a trivial window program, in one Wine prefix and
# session: each round runs the trivial program (bench/win32/TrivialWindow.cpp), then
#   Lintora.exe bench 127.0.0.1 PASSWORD AUTO
# against a throwaway MariaDB server, with the four driver files removed first so that every
# round writes them, registers the 5.3 generation and opens the connection. Wine's own start is in
# both figures. Prints each round, then the medians, their ratio (the target is 1.2 at most) and
# the medians of the peak memory (the largest process, as /usr/bin/time reports it).
#   bench/install_start.sh [ROUNDS]      (7 unless given; builds nothing: build the preset first)
# The 32-bit build where this kernel runs 32-bit programs, otherwise the 64-bit one.
set -euo pipefail
# Windows need an X server: without one, run this very script again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds="${1:-7}"
platform=win64
"$root/scripts/can-run-32bit.sh" && platform=win32
build="$root/build/$platform"
for program in "$build/app/Lintora.exe" "$build/bench/win32/trivial_window.exe"; do
  [ -f "$program" ] || { echo "bench: $program is missing: build the $platform preset" >&2; exit 1; }
done
export LINTORA_WINEARCH="$platform" LINTORA_WINEPREFIX="$build/bench-prefix"
"$root/scripts/wine-prefix.sh" "$LINTORA_WINEPREFIX" >/dev/null
trap '"$root/scripts/wine-prefix.sh" --stop "$LINTORA_WINEPREFIX" >/dev/null' EXIT

rounds_of() {
  local wine="$root/scripts/wine-run.sh" sysdir name round
  sysdir=$("$wine" winepath -u "$("$wine" cmd /c 'echo %SystemRoot%\system32' | tr -d '\r')" |
           tr -d '\r')
  for pair in "DbTYPE=MySQL5.3+" "User=$LINTORA_MYSQL_USER" "Port=$LINTORA_MYSQL_PORT"; do
    "$wine" reg add 'HKCU\Software\Lintora' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
  done
  mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
    -p"$LINTORA_MYSQL_PASSWORD" -e 'CREATE DATABASE IF NOT EXISTS bench'
  # One run of each, not counted: the session's first program start loads more than any later.
  "$wine" "$build/bench/win32/trivial_window.exe"
  for round in $(seq 0 "$rounds"); do
    /usr/bin/time -f "trivial %e %M" -a -o "$figures" "$wine" "$build/bench/win32/trivial_window.exe" ||
      { echo "bench: the trivial window program failed" >&2; exit 1; }
    for name in Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll; do rm -f "$sysdir/$name"; done
    /usr/bin/time -f "install %e %M" -a -o "$figures" \
      "$wine" "$build/app/Lintora.exe" bench 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" AUTO ||
      { echo "bench: the installation ended with exit code $?" >&2; exit 1; }
    [ "$round" -gt 0 ] || : >"$figures"  # round 0 warms both up
  done
}
export -f rounds_of
export root rounds build figures="$build/bench-figures.txt"
: >"$build/bench-figures.txt"
"$root/scripts/mariadb-server.sh" run bash -c rounds_of

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v k="$1" -v c="$2" '$1 == k { print $c }' "$build/bench-figures.txt" | median; }
trivial=$(column trivial 2) install=$(column install 2)
echo "$platform, $rounds rounds (seconds of wall time, peak memory in KiB):"
awk '{ printf "  %-8s %6.2f s %8d KiB\n", $1, $2, $3 }' "$build/bench-figures.txt"
echo "median trivial window start:    $trivial s, peak $(column trivial 3) KiB"
echo "median whole AUTO installation: $install s, peak $(column install 3) KiB"
awk -v a="$install" -v b="$trivial" 'BEGIN { printf "ratio installation / trivial start: %.2f (target 1.2 at most)\n", a / b }'
