#!/usr/bin/env bash
# Runs the libFuzzer targets of the native build, each starting from its seed corpus when
# fuzz/corpus/NAME exists, and fails on any finding, naming the input that caused it.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#       the named targets (default every one) for SECONDS each (default 30): the bounded run of
#       scripts/test.sh
#   scripts/fuzz.sh [--runs N] [--minutes M] [TARGET...]
#       the named targets (NAME or fuzz_NAME; default every one), one after the other, each until
#       N executions or M minutes, whichever comes first: the long campaign. Each target's
#       executions, minutes and processor minutes are printed and appended (tab-separated, with
#       the time it ended) to build/native/fuzz/figures.tsv.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/native/fuzz"

usage() {
  sed -n '2,12p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
  exit 2
}

seconds=30
runs=
names=()
if [ $# -ge 1 ] && [[ "$1" =~ ^[0-9]+$ ]]; then
  seconds="$1"
  shift
fi
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) [[ "${2:-}" =~ ^[0-9]+$ ]] || usage; runs="$2"; shift 2 ;;
    --minutes) [[ "${2:-}" =~ ^[0-9]+$ ]] || usage; seconds=$(($2 * 60)); shift 2 ;;
    -h | --help | -*) usage ;;
    *) names+=("fuzz_${1#fuzz_}"); shift ;;
  esac
done

shopt -s nullglob
targets=()
if [ "${#names[@]}" -eq 0 ]; then
  targets=("$out"/fuzz_*)
else
  for name in "${names[@]}"; do
    [ -x "$out/$name" ] || { echo "fuzz: no target $name in $out"; exit 2; }
    targets+=("$out/$name")
  done
fi
if [ "${#targets[@]}" -eq 0 ]; then
  echo "fuzz: no fuzz targets built"
  exit 0
fi

# The stated figure of libFuzzer's final statistics.
final_stat() {
  sed -n "s/^stat::$1: *//p" "$2" | tail -n 1
}

# Sets cpu_seconds to the processor time used so far by this script's finished children (the
# second line of bash's `times`, which must run in this shell, not in a command substitution).
read_children_cpu_seconds() {
  times >"$out/.times"
  cpu_seconds=$(awk 'NR == 2 { split($1, u, "m"); split($2, s, "m")
                               print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$out/.times")
}

for target in "${targets[@]}"; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$out/corpus-$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$root/fuzz/corpus/${name#fuzz_}" ] && seeds=("$root/fuzz/corpus/${name#fuzz_}")
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10
           -artifact_prefix="$out/finding-$name-")
  [ -n "$runs" ] && options+=(-runs="$runs")
  # The LZRW1 coder's limits lie at 32 KB of plain bytes: let inputs grow past a whole block.
  case "$name" in fuzz_lzrw1_*) options+=(-max_len=70000) ;; esac
  echo "fuzz: $name for at most ${seconds}s${runs:+ or $runs executions}"
  started=$SECONDS
  read_children_cpu_seconds
  cpu_before=$cpu_seconds
  if ! "$target" "${options[@]}" "$corpus" "${seeds[@]}" >"$corpus.log" 2>&1; then
    tail -n 40 "$corpus.log"
    echo "fuzz: $name found a fault; the input is $(ls -t "$out/finding-$name-"* 2>/dev/null | head -n 1)"
    echo "      (once fixed, copy it into fuzz/corpus/${name#fuzz_} as a regression seed)"
    exit 1
  fi
  executions=$(final_stat number_of_executed_units "$corpus.log")
  minutes=$(awk -v s=$((SECONDS - started)) 'BEGIN { printf "%.1f", s / 60 }')
  # On a shared machine the processor time says more about the target's speed than the clock.
  read_children_cpu_seconds
  cpu_minutes=$(awk -v a="$cpu_before" -v b="$cpu_seconds" 'BEGIN { printf "%.1f", (b - a) / 60 }')
  echo "fuzz: $name: ${executions:-?} executions in $minutes min ($cpu_minutes min of processor" \
    "time), no findings"
  if [ -n "$runs" ]; then
    printf '%s\t%s\t%s\t%s\t%s\n' "${name#fuzz_}" "${executions:-?}" "$minutes" "$cpu_minutes" \
      "$(date -u +%FT%TZ)" >>"$out/figures.tsv"
  fi
done
