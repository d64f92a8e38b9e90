#!/usr/bin/env bash
# Makes a fresh, throwaway Wine prefix at the given path (the old one is removed first).
set -euo pipefail
prefix="${1:?usage: wine-prefix.sh PREFIX}"
export WINEARCH="${LINTORA_WINEARCH:-win64}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -d "$prefix" ]; then
  WINEPREFIX="$prefix" "$LINTORA_WINESERVER" -k 2>/dev/null || true
  rm -rf "$prefix"
fi
mkdir -p "$(dirname "$prefix")"
WINEPREFIX="$prefix" "$LINTORA_WINE_LOADER" wineboot -i >/dev/null 2>&1
WINEPREFIX="$prefix" "$LINTORA_WINESERVER" -w
test -f "$prefix/system.reg"
echo "Wine prefix ready: $prefix"
