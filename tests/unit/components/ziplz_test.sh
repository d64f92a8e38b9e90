#!/usr/bin/env bash
# The pack tool as packagers use it: round trip, the container's bytes, and failures reported
# with the error text and a non-zero exit code.
set -euo pipefail
ziplz="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

head -c 100000 "$ziplz" >"$work/plain"
printf 'Lintora %.0s' {1..5000} >>"$work/plain"
"$ziplz" pack "$work/plain" "$work/packed"
"$ziplz" unpack "$work/packed" "$work/back"
cmp "$work/plain" "$work/back" || fail "round trip differs"
[ "$(stat -c %s "$work/packed")" -lt "$(stat -c %s "$work/plain")" ] || fail "no compression"

printf 'abcabcabcabc' >"$work/abc"
"$ziplz" pack "$work/abc" "$work/abc.lz"
expected="0d5a49502d4c5a52573120202020000000000000000c0000000800000001014010006162630036"
[ "$(od -An -v -tx1 "$work/abc.lz" | tr -d ' \n')" = "$expected" ] || fail "abc container bytes"

: >"$work/empty"
"$ziplz" pack "$work/empty" "$work/empty.lz"
[ ! -s "$work/empty.lz" ] || fail "empty input gives an empty container"
"$ziplz" unpack "$work/empty.lz" "$work/empty.back"
[ -e "$work/empty.back" ] && [ ! -s "$work/empty.back" ] || fail "empty container unpacks to nothing"

expect_failure() {
  local text="$1"
  shift
  if "$ziplz" "$@" 2>"$work/err"; then fail "$* succeeded"; fi
  grep -qF "$text" "$work/err" || fail "$* said: $(cat "$work/err")"
}
expect_failure "Fatal:Error Zip Source" unpack "$work/plain" "$work/out"
head -c 40 "$work/packed" >"$work/cut"
expect_failure "Fatal:Error Zip Source" unpack "$work/cut" "$work/out"
expect_failure "Cannot open file" pack "$work/missing" "$work/out"
expect_failure "Cannot create file" pack "$work/abc" "$work/no/such/folder/out"
expect_failure "usage" unzip "$work/abc" "$work/out"
[ ! -e "$work/out" ] || fail "a failed run left an output file"
echo "ziplz: all passed"
