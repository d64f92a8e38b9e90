#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the native core (with ASan and
# UBSan, plus a bounded fuzzing run), then the Windows program and its tests under Wine, with a
# throwaway MariaDB server and an Xvfb display. Exits non-zero on any failure.
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
scripts/fuzz.sh "${LINTORA_FUZZ_SECONDS:-30}"

echo "== win32: the 32-bit product"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs" --target Lintora

echo "== win64: build, then every test under Wine with a MariaDB server and Xvfb"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
scripts/mariadb-server.sh run \
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset win64 -j "$jobs"
