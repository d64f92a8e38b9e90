#!/usr/bin/env bash
# The data source box's drop-down with 100, 1,000 and 10,000 registered data sources against its
# drop-down with none, in one run of the real dialog in a throwaway Wine prefix of its own
# (bench/win32/DataSourceListFill.cpp says what one run does). Prints the median time of the cold,
# prepared and repeated drop-downs of each and their ratios to the empty list's; the target is 3
# at most for 10,000 as the user meets it, once the dialog had a moment before the drop-down.
#   bench/datasource_list.sh [ROUNDS [N...]]    (builds nothing: build the preset first)
# The 32-bit build where this kernel runs 32-bit programs, otherwise the 64-bit one.
set -euo pipefail
# Windows need an X server: without one, run this very script again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
platform=win64
"$root/scripts/can-run-32bit.sh" && platform=win32
build="$root/build/$platform"
program="$build/bench/win32/datasource_list_fill.exe"
[ -f "$program" ] || { echo "bench: $program is missing: build the $platform preset" >&2; exit 1; }
export LINTORA_WINEARCH="$platform" LINTORA_WINEPREFIX="$build/bench-prefix-datasources"
"$root/scripts/wine-prefix.sh" "$LINTORA_WINEPREFIX" >/dev/null
trap '"$root/scripts/wine-prefix.sh" --stop "$LINTORA_WINEPREFIX" >/dev/null' EXIT
echo "$platform, load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
"$root/scripts/wine-run.sh" "$program" "$@"
