#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the native core (with ASan and
# UBSan, plus a bounded fuzzing run), then the Windows program and its tests under Wine, with a
# throwaway MariaDB server and an Xvfb display. Exits non-zero on any failure.
#
# The Windows tests run against the 32-bit product where this kernel runs 32-bit programs, and
# against the same program built 64-bit where it does not (the first line of that stage says
# which). LINTORA_WINDOWS_TESTS=win32|win64 chooses by hand.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${LINTORA_JOBS:-$(nproc)}"

scripts/setup.sh

echo "== native: build and unit tests (ASan/UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== native: fuzzing (bounded)"
scripts/fuzz.sh "${LINTORA_FUZZ_SECONDS:-15}"

platform="${LINTORA_WINDOWS_TESTS:-}"
if [ -z "$platform" ]; then
  if scripts/can-run-32bit.sh; then platform=win32; else platform=win64; fi
fi
echo "== win32: the 32-bit product"
cmake --preset win32 >/dev/null
if [ "$platform" = win32 ]; then
  cmake --build --preset win32 -j "$jobs"
  echo "== win32: every Windows test against the 32-bit program, in a 32-bit Wine prefix"
else
  cmake --build --preset win32 -j "$jobs" --target Lintora
  echo "== win64: this kernel cannot run 32-bit programs, so the Windows tests run against the"
  echo "   same program built 64-bit, in a 64-bit Wine prefix"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs"
fi
scripts/mariadb-server.sh run \
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$platform" -j "$jobs"
