#!/usr/bin/env bash
# gbbig: both directions on a file with line breaks, a lone lead byte and pairs beyond the table.
set -euo pipefail
gbbig="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

# 繁體中文(TAIWAN,HK) CR LF 安裝 + lone A4 CR LF "end" + FC A1 LF
printf '\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)\r\n\xa6\x77\xb8\xcb\xa4\r\nend\xfc\xa1\n' \
  > "$dir/big5.txt"
# 繁体中文 ... 安装: the lone lead byte keeps its line break, the pair beyond the table stays
printf '\xb7\xb1\xcc\xe5\xd6\xd0\xce\xc4(TAIWAN,HK)\r\n\xb0\xb2\xd7\xb0\xa4\r\nend\xfc\xa1\n' \
  > "$dir/expected-gb.txt"
"$gbbig" --to-gb "$dir/big5.txt" "$dir/gb.txt" 2> "$dir/stderr"
cmp "$dir/gb.txt" "$dir/expected-gb.txt"
grep -q "1 byte pairs outside the table" "$dir/stderr"

# 中文 and 资料库 back to Big5
printf '\xd6\xd0\xce\xc4\n\xd7\xca\xc1\xcf\xbf\xe2\n' > "$dir/gb2.txt"
printf '\xa4\xa4\xa4\xe5\n\xb8\xea\xae\xc6\xae\x77\n' > "$dir/expected-big5.txt"
"$gbbig" --to-big5 "$dir/gb2.txt" "$dir/big5-2.txt"
cmp "$dir/big5-2.txt" "$dir/expected-big5.txt"

# Every GB2312 kana (rows A4, A5) and Cyrillic letter (row A7) and 着 go to Big5 and come back
# unchanged, none of them through the filler.
# The escapes of the pairs of lead byte $1 with the trail bytes $2 to $3 (decimal).
pairs() { for trail in $(seq "$2" "$3"); do printf '\\x%s\\x%x' "$1" "$trail"; done; }
{
  printf "$(pairs a4 161 243)$(pairs a5 161 246)$(pairs a7 161 193)$(pairs a7 209 241)"
  printf '\xbf\xb4\xd7\xc5\n'  # 看着
} > "$dir/kana.txt"
"$gbbig" --to-big5 "$dir/kana.txt" "$dir/kana-big5.txt"
"$gbbig" --to-gb "$dir/kana-big5.txt" "$dir/kana-back.txt"
cmp "$dir/kana.txt" "$dir/kana-back.txt"
[ "$(wc -c < "$dir/kana.txt")" -eq $((2 * (83 + 86 + 66 + 2) + 1)) ]

# A pair just past the rows of its table (Big5 lead byte FB, GB2312 lead byte F8) would land on
# the filler cells that close the table: it stays as it is and is counted once.
printf 'a\xfb\x40b\n' > "$dir/past-big5.txt"
"$gbbig" --to-gb "$dir/past-big5.txt" "$dir/past-big5.out" 2> "$dir/stderr"
cmp "$dir/past-big5.txt" "$dir/past-big5.out"
grep -q "^gbbig: 1 byte pairs outside the table" "$dir/stderr"
printf 'a\xf8\xa1b\n' > "$dir/past-gb.txt"
"$gbbig" --to-big5 "$dir/past-gb.txt" "$dir/past-gb.out" 2> "$dir/stderr"
cmp "$dir/past-gb.txt" "$dir/past-gb.out"
grep -q "^gbbig: 1 byte pairs outside the table" "$dir/stderr"

# Wrong use and a missing input fail.
if "$gbbig" "$dir/gb2.txt" 2>/dev/null; then exit 1; fi
if "$gbbig" --to-gb "$dir/missing.txt" "$dir/out.txt" 2>/dev/null; then exit 1; fi
echo "gbbig: ok"
