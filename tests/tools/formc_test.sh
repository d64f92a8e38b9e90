#!/bin/bash
# formc end to end: a description with Chinese strings and a file reference becomes a stream with
# Big5 text and the file's bytes, and the list of its components; faults are reported with file
# and line and leave no output.
set -euo pipefail
formc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/drivers"
printf 'MZ\x90\x00\xff payload' > "$work/drivers/My odbc.dll"

hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
fail() { echo "FAIL: $*" >&2; exit 1; }

cat > "$work/form.txt" <<'TEXT'
object LintoraForm: TLintoraForm
  Caption = '安裝MySQL連結'
  object BinStream1: TBinStream
    Data = file 'drivers/My odbc.dll'
  end
  object Panel1: TPanel
    object TLabel
    end
    object Label1: TLabel
    end
  end
end
TEXT
(cd / && "$formc" "$work/form.txt" "$work/form.bin" "$work/form.d" "$work/form.h") ||
  fail "formc failed"
# The named components below the root, in the form's order, for the form's class.
[[ $(grep -o 'X([A-Za-z0-9]*, [A-Za-z0-9]*)' "$work/form.h" | tr '\n' ' ') == \
  "X(TBinStream, BinStream1) X(TPanel, Panel1) X(TLabel, Label1) " ]] ||
  fail "component list: $(cat "$work/form.h")"
bin=$(hex "$work/form.bin")
[[ $bin == 4c464d31* ]] || fail "no signature: $bin"
# 安裝 in code page 950 is A6 77 B8 CB; 連結 is B3 73 B5 B2.
[[ $bin == *a677b8cb4d7953514cb373b5b2* ]] || fail "caption not in Big5: $bin"
[[ $bin == *"$(hex "$work/drivers/My odbc.dll")"* ]] || fail "file bytes missing"
grep -q 'drivers/My\\ odbc.dll' "$work/form.d" || fail "dependency file: $(cat "$work/form.d")"
grep -q 'form.txt' "$work/form.d" || fail "dependency file lacks the description"

printf 'object A: TLabel\n  Caption = %s\n\n  Caption = %s\nend\n' "'ok'" "'😀'" > "$work/bad.txt"
if "$formc" "$work/bad.txt" "$work/bad.bin" 2> "$work/err"; then fail "accepted a non-Big5 text"; fi
grep -q "bad.txt:4: Cannot convert" "$work/err" || fail "message: $(cat "$work/err")"
[[ ! -e $work/bad.bin && ! -e $work/bad.bin.tmp ]] || fail "output left behind"

printf 'object A: TLabel\n  Data = file %s\nend\n' "'nothere.bin'" > "$work/missing.txt"
if "$formc" "$work/missing.txt" "$work/missing.bin" 2> "$work/err"; then fail "missing file"; fi
grep -q "missing.txt:2: Cannot open file .*nothere.bin" "$work/err" || fail "message: $(cat "$work/err")"
echo "formc: all checks passed"
