#!/usr/bin/env bash
# Runs a Windows program under Wine the way every test does: the prefix of this test run
# (LINTORA_WINEPREFIX), no Wine debug output, a Chinese locale (Traditional unless the test asks
# for another through LINTORA_LC_ALL) and a fixed time zone, so results never depend on the host.
set -euo pipefail
: "${LINTORA_WINEPREFIX:?LINTORA_WINEPREFIX names the Wine prefix to run in}"
export WINEPREFIX="$LINTORA_WINEPREFIX"
export WINEARCH="${LINTORA_WINEARCH:-win64}"
export WINEDEBUG="${LINTORA_WINEDEBUG:--all}"
export LC_ALL="${LINTORA_LC_ALL:-zh_TW.UTF-8}"
export TZ="${LINTORA_TZ:-Asia/Taipei}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
# Line by line, so that what the program writes reaches its reader while it runs, not at the end.
exec "$LINTORA_WINE_LOADER" "$@" 2> >(grep --line-buffered -v -e 'Setting locale failed' \
  -e 'setlocale: LC_ALL' >&2)
