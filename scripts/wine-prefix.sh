#!/usr/bin/env bash
# The throwaway Wine prefix of a test run.
#   wine-prefix.sh PREFIX          makes it fresh (an old one is removed first), then starts its
#                                  wineserver and services, detached from the caller's output
#   wine-prefix.sh --stop PREFIX   ends every Wine process of the prefix
# Tests run their programs in the running session: a wineserver or service started by a test
# would keep that test's output pipe open for as long as any other test's program runs.
set -euo pipefail
stop=false
if [ "${1:-}" = "--stop" ]; then
  stop=true
  shift
fi
prefix="${1:?usage: wine-prefix.sh [--stop] PREFIX}"
export WINEARCH="${LINTORA_WINEARCH:-win64}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
export WINEPREFIX="$prefix"
if $stop || [ -d "$prefix" ]; then
  "$LINTORA_WINESERVER" -k 2>/dev/null || true
  # Bounded: a server that does not end within 10 s is not waited for any longer.
  timeout 10 "$LINTORA_WINESERVER" -w 2>/dev/null || true
fi
if $stop; then
  echo "Wine session of $prefix ended"
  exit 0
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
"$LINTORA_WINE_LOADER" wineboot -i >"$prefix.boot.log" 2>&1 ||
  { echo "wineboot -i failed:" >&2; cat "$prefix.boot.log" >&2; exit 1; }
"$LINTORA_WINESERVER" -w
test -f "$prefix/system.reg" || { echo "no registry in $prefix after wineboot" >&2; exit 1; }
setsid "$LINTORA_WINESERVER" -p </dev/null >/dev/null 2>&1
setsid "$LINTORA_WINE_LOADER" cmd /c exit </dev/null >/dev/null 2>&1
echo "Wine prefix ready: $prefix"
