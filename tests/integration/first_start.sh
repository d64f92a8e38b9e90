# First start without arguments, for a user without stored values or settings file, under the
# Traditional-Chinese locale: the dialog shows the built-in defaults, and afterwards the settings
# key and the host list key exist (the settings key empty) and so does the user data folder.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
settings='HKEY_CURRENT_USER\Software\Lintora'
hosts='HKEY_CURRENT_USER\SoftWare\Qarn\Vesmont\IpNames'
reg_delete_key "$settings"
reg_delete_key "$hosts"
appdata=$("$LINTORA_WINE" cmd /c 'echo %APPDATA%' | tr -d '\r')
userdata=$(unix_path "$appdata\\Lintora")
rm -rf "$userdata"

exe=$(program_copy)
"$LINTORA_WINE" "$exe" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"

# Field positions: the panel stands at 28,14 of the page, the fields at their place in the panel.
check_field() {
  local name="$1" left="$2" top="$3" expected="$4" actual
  actual=$(control_text TLintoraForm "$left" "$top")
  [ "$actual" = "$expected" ] || fail "$name shows '$actual', expected '$expected'"
}
check_field "driver generation CBox0" 124 44 "MySQL"
check_field "data source CBox1" 124 68 ""
check_field "server CBox2" 124 92 ""
check_field "user Edit3" 124 138 "root"
check_field "password Edit4" 124 160 ""
check_field "option Edit5" 124 194 "27"
check_field "port Edit6" 124 216 "3306"
check_field "BLOBs to cache Edit8" 304 202 "1024"
check_field "BLOB size Edit7" 304 226 "640"
check_field "character set CBox5" 124 238 "latin1"
title=$(wintool title TLintoraForm | tr -d '\r' | iconv -f BIG5 -t UTF-8)
[ "$title" = "安裝MySQL連結" ] || fail "dialog caption '$title'"

wintool close TLintoraForm || fail "could not close the dialog"
wait_exit "$program" || fail "exit code $? after closing"

reg_key_exists "$settings" || fail "the settings key was not created"
entries=$(reg_key_entries "$settings")
[ -z "$entries" ] || fail "the settings key is not empty: $entries"
reg_key_exists "$hosts" || fail "the host list key was not created"
[ -d "$userdata" ] || fail "the user data folder $appdata\\Lintora was not created"
echo "first start showed the defaults and left the keys and the user data folder"
