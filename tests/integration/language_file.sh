# A site re-words the dialog with a Traditional language file in the user data folder: the line
# "Label1.Caption = '資料庫'" (written as people write it, with spaces and quotes) gives Label1
# that text, the other texts stay built in, the file gets its language name and nothing else,
# and no Simplified file is made.
#
# The file sits in the user's own folder while an installation runs elevated, so it changes only
# what a person sees: lines naming the embedded driver files, the database or the query change
# nothing, and the files the install button writes are the carried ones; the label's position
# and the message table's lines still apply.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
: "${LINTORA_MYSQL_PORT:?run under scripts/mariadb-server.sh}" "${LINTORA_DRIVER_FILES:?}"
userdata=$(user_data_folder)
mkdir -p "$userdata"
rm -f "$userdata/China.Prop"
# [TLintoraForm] / Label1.Caption = '資料庫' in Big5
printf "[TLintoraForm]\r\nLabel1.Caption = '\xb8\xea\xae\xc6\xae\x77'\r\n" > "$userdata/Taiwan.Prop"
settings='HKEY_CURRENT_USER\Software\Lintora'
forget() {
  rm -f "$userdata/Taiwan.Prop"
  reg_delete_key "$settings"
  for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do reg_delete_key "$root\\Software\\ODBC"; done
}
trap 'code=$?; forget; end_scenario "$code"' EXIT

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

echo "== lines for the driver files, the database and the query change nothing"
system=$(unix_path "$("$LINTORA_WINE" cmd /c 'echo %SystemRoot%\system32' | tr -d '\r')")
drivers=(Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll)
for name in "${drivers[@]}"; do rm -rf "${system:?}/$name"; done
printf 'planted code' > "$SCRATCH/planted.dll"
planted=$(winepath_of "$SCRATCH/planted.dll")
{
  printf '[TLintoraForm]\r\n'
  printf 'Language=\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)\r\n'
  printf 'Label1.Left=40\r\n'
  # S_Link=連到|S_Fail=不通|S_Succ=好了
  printf 'Memos1.Lines=S_Link=\xb3\x73\xa8\xec|S_Fail=\xa4\xa3\xb3\x71|S_Succ=\xa6\x6e\xa4\x46\r\n'
  printf 'BinStream1.FileName=%s\r\n' "$planted"
  printf 'BinStream2.Data=706c616e746564\r\nBinStream3.Size=7\r\nBinStream4.Compress=1\r\n'
  printf 'Database1.DatabaseName=nowhere\r\nQuery1.SQL=DROP DATABASE mysql\r\n'
  printf 'AliasEditor1.Name=x\r\n'
} > "$userdata/Taiwan.Prop"
reg_delete_key "$settings"
for pair in "DbTYPE=MySQL5.3+" "User=$LINTORA_MYSQL_USER" "Port=$LINTORA_MYSQL_PORT"; do
  "$LINTORA_WINE" reg add "$settings" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
done
# The database lt_lang_none is not on the server: the run ends on the failure page.
"$LINTORA_WINE" "$exe" lt_lang_none 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
# Label1 sized itself to its text; its position is the language file's (the panel is at 28,14).
[ "$(control_text TLintoraForm 68 72)" = "資料庫名稱" ] ||
  fail "Label1 is not at the language file's position: $(control_text TLintoraForm 62 72)"
press_install
sleep 1
wintool list TLintoraForm | tr -d '\r' | iconv -f BIG5 -t UTF-8 | grep -q "連到lt_lang_none不通" ||
  fail "the result page does not use the language file's message table"
wintool close TLintoraForm || fail "could not close the dialog"
code=0
wait_exit "$program" || code=$?
[ "$code" -eq 1 ] || fail "exit code $code after the failed connection test, not 1"
for name in "${drivers[@]}"; do
  cmp -s "$system/$name" "$LINTORA_DRIVER_FILES/$name" || fail "$name is not the carried file"
done
echo "the language file re-worded the dialog and reached nothing else"
