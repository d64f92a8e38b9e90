# A site re-words the dialog with a Traditional language file in the user data folder: the line
# "Label1.Caption = '資料庫'" (written as people write it, with spaces and quotes) gives Label1
# that text, the other texts stay built in, the file gets its language name and nothing else,
# and no Simplified file is made.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
userdata=$(user_data_folder)
mkdir -p "$userdata"
rm -f "$userdata/China.Prop"
# [TLintoraForm] / Label1.Caption = '資料庫' in Big5
printf "[TLintoraForm]\r\nLabel1.Caption = '\xb8\xea\xae\xc6\xae\x77'\r\n" > "$userdata/Taiwan.Prop"
trap 'rm -f "$userdata/Taiwan.Prop"; end_scenario' EXIT

exe=$(program_copy)
"$LINTORA_WINE" "$exe" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
label1=$(control_text TLintoraForm 62 72)
[ "$label1" = "資料庫" ] || fail "Label1 shows '$label1', expected '資料庫'"
label2=$(control_text TLintoraForm 74 96)
[ "$label2" = "主機名稱" ] || fail "Label2 shows '$label2', expected '主機名稱'"
wintool close TLintoraForm || fail "could not close the dialog"
wait_exit "$program" || fail "exit code $? after closing"

language=$(tr -d '\r' < "$userdata/Taiwan.Prop" | sed -n 's/^Language=//p' | iconv -f BIG5 -t UTF-8)
[ "$language" = "繁體中文(TAIWAN,HK)" ] || fail "the file's language name is '$language'"
grep -q 'Label2' "$userdata/Taiwan.Prop" && fail "the file's section was filled although it was there"
[ ! -e "$userdata/China.Prop" ] || fail "a Simplified language file was made"
echo "the Traditional language file re-worded Label1"
