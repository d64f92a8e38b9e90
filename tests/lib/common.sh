# Shared helpers for the scenario scripts under tests/integration and tests/gui. ctest sets
# LINTORA_EXE, LINTORA_WINE (the Wine wrapper), LINTORA_WINTOOL and LINTORA_WINEPREFIX.
set -euo pipefail
: "${LINTORA_EXE:?run through ctest}" "${LINTORA_WINE:?}" "${LINTORA_WINEPREFIX:?}"

# Windows need an X server: without one, run this very script again under Xvfb.
if [ -z "${DISPLAY:-}" ] && [ -z "${LINTORA_IN_XVFB:-}" ]; then
  export LINTORA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

fail() { echo "FAIL: $*" >&2; exit 1; }
wintool() { "$LINTORA_WINE" "$LINTORA_WINTOOL" "$@"; }

# A PNG of the whole X screen; fails when the picture is one flat colour.
screenshot() {
  local file="$1"
  import -window root "$file"
  local deviation
  deviation=$(convert "$file" -format '%[fx:standard_deviation]' info:)
  awk -v d="$deviation" 'BEGIN { exit !(d > 0.01) }' || fail "screenshot $file is blank"
}

# Every scenario gets a scratch folder of its own, removed when it ends.
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/lintora-test.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT
