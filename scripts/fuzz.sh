#!/usr/bin/env bash
# Runs every libFuzzer target of the native build for a bounded time each (seconds, default 30),
# starting from its seed corpus when fuzz/corpus/NAME exists. Fails on any finding.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
shopt -s nullglob
targets=("$root"/build/native/fuzz/fuzz_*)
if [ "${#targets[@]}" -eq 0 ]; then
  echo "fuzz: no fuzz targets built"
  exit 0
fi
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/native/fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$root/fuzz/corpus/${name#fuzz_}" ] && seeds=("$root/fuzz/corpus/${name#fuzz_}")
  options=()
  # The LZRW1 coder's limits lie at 32 KB of plain bytes: let inputs grow past a whole block.
  case "$name" in fuzz_lzrw1_*) options=(-max_len=70000) ;; esac
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 "${options[@]}" "$corpus" "${seeds[@]}" \
    >"$corpus.log" 2>&1 || { tail -n 40 "$corpus.log"; echo "fuzz: $name found a fault"; exit 1; }
done
