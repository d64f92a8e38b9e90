# The real program's registration, clicked on its hidden buttons from outside under the
# Traditional-Chinese locale: first the 2.50 generation (BtnAddParams25), then the 5.3 generation
# (BtnAddParams53) over it. Afterwards the registry of both roots, ODBC.INI and ODBCINST.INI and
# the engine's alias configuration hold what a 5.3 run over a 2.50 run leaves.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
settings='HKEY_CURRENT_USER\Software\Lintora'
windir=$(unix_path 'C:\windows')
system=$("$LINTORA_WINE" cmd /c 'echo %SystemRoot%\system32' | tr -d '\r')
appdata=$("$LINTORA_WINE" cmd /c 'echo %APPDATA%' | tr -d '\r')
config=$(unix_path "$appdata\\Lintora\\DbEngine.cfg")
for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do reg_delete_key "$root\\Software\\ODBC"; done
reg_delete_key "$settings"
rm -f "$windir/odbc.ini" "$windir/odbcinst.ini" "$windir/ODBC.INI" "$windir/ODBCINST.INI" "$config"
"$LINTORA_WINE" reg add "$settings" /v CHARSET /d big5 /f >/dev/null
"$LINTORA_WINE" reg add "$settings" /v User /d admin /f >/dev/null

exe=$(program_copy)
"$LINTORA_WINE" "$exe" LtScenario db.example s3cret &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"

# The hidden buttons stand at 234,106 and 234,138 of the panel, which stands at 28,14.
button_id() {
  wintool list TLintoraForm | tr -d '\r' | awk -v l="$1" -v t="$2" '$4 == l && $5 == t { print $2 }'
}
# Clicks the hidden button, then waits until the value it writes last into the registry is there.
register() {
  local left="$1" top="$2" key="$3" value="$4" id
  id=$(button_id "$left" "$top")
  [ -n "$id" ] || fail "no hidden button at $left,$top"
  wintool click TLintoraForm "$id" || fail "could not click the button at $left,$top"
  for _ in $(seq 1 100); do
    "$LINTORA_WINE" reg query "$key" /v "$value" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "clicking the button at $left,$top did not write $key\\$value"
}
register 262 120 'HKEY_CURRENT_USER\Software\ODBC\ODBCINST.INI\MySQL' SQLLevel
register 262 152 'HKEY_CURRENT_USER\Software\ODBC\ODBCINST.INI\MySQL ODBC 5.3 Driver' Setup
sleep 1  # the profile files and the alias come after the registry
wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after closing"

# "NAME TYPE DATA" of each value, sorted by name, as reg.exe lists them.
values() {
  reg_key_entries "$1" | sed -e 's/^ *//' -e 's/    /|/g' | LC_ALL=C sort -f
}
expect_values() {
  local key="$1" actual
  shift
  actual=$(values "$key")
  expected=$(printf '%s\n' "$@" | LC_ALL=C sort -f)
  [ "$actual" = "$expected" ] || fail "$key holds
$actual
expected
$expected"
}
record() {  # the data source record: Driver Description DataBase plus any further NAME|DATA
  local key="$1" description="$2" database="$3"
  shift 3
  expect_values "$key" "Driver|REG_SZ|$system\\myodbc5a.dll" "Description|REG_SZ|$description" \
                "DataBase|REG_SZ|$database" "Server|REG_SZ|db.example" "User|REG_SZ|admin" \
                "Password|REG_SZ|s3cret" "Option|REG_SZ|27" "Port|REG_SZ|3306" "$@"
}
for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
  odbc="$root\\Software\\ODBC\\ODBC.INI" odbcinst="$root\\Software\\ODBC\\ODBCINST.INI"
  expect_values "$odbcinst\\ODBC Drivers" "MySQL|REG_SZ|Installed" \
                "MySQL ODBC 5.3 Driver|REG_SZ|Installed"
  expect_values "$odbc\\ODBC Data Sources" "LtScenario|REG_SZ|MySQL ODBC 5.3 Driver" \
                "mysql|REG_SZ|MySQL ODBC 5.3 Driver"
  expect_values "$odbcinst\\MySQL" "Driver|REG_SZ|$system\\myodbc.dll" \
                "Setup|REG_SZ|$system\\myodbc.dll" "APILevel|REG_SZ|2" \
                "ConnectFunctions|REG_SZ|YYN" "DriverODBCVer|REG_SZ|02.50" "FileUsage|REG_SZ|0" \
                "FileExtns|REG_SZ|*.txt" "SQLLevel|REG_SZ|1"
  expect_values "$odbcinst\\MySQL ODBC 5.3 Driver" "Driver|REG_SZ|$system\\myodbc5a.dll" \
                "Setup|REG_SZ|$system\\myodbc5S.dll"
  if [ "$root" = HKEY_CURRENT_USER ]; then
    record "$odbc\\MySQL" "This Is MySql Odbc 5.3" mysql
    record "$odbc\\LtScenario" "This Is MySql Odbc" LtScenario "CHARSET|REG_SZ|big5"
  else
    record "$odbc\\MySQL" "This Is MySql Odbc" mysql
    record "$odbc\\LtScenario" "This Is MySql Odbc" LtScenario
  fi
done

# The profile files, byte for byte: 位元 is Big5 A6 EC A4 B8 in the file.
expect_file() {
  local file="$1" expected="$2"
  [ -f "$file" ] || fail "$file is missing"
  cmp -s "$file" <(printf '%b' "$expected") ||
    fail "$file holds $(od -c "$file"), expected $(printf '%b' "$expected" | od -c)"
}
ini_file() { find "$windir" -maxdepth 1 -iname "$1" | head -n 1; }
expect_file "$(ini_file odbc.ini)" \
  "[ODBC 32 bit Data Sources]\r\nLtScenario=MySQL ODBC 5.3 Driver (32 \xa6\xec\xa4\xb8)\r\n[LtScenario]\r\nDriver32=${system//\\/\\\\}\\\\myodbc.dll\r\n"
expect_file "$(ini_file odbcinst.ini)" \
  "[ODBC 32 bit Drivers]\r\nMySQL (32 bit)=Installed\r\nMySQL ODBC 5.3 Driver (32 bit)=Installed\r\n[MySQL (32 bit)]\r\nDriver=${system//\\/\\\\}\\\\myodbc5a.dll\r\nSetup=${system//\\/\\\\}\\\\myodbc5S.dll\r\n32Bit=1\r\n"
# The form's BLOB fields (640 and 1024) differ from the engine's own, so the alias stores them.
expect_file "$config" "[LtScenario]\r\nBLOB SIZE=640\r\nBLOBS TO CACHE=1024\r\n\r\n"
# Leave the prefix without this scenario's data source for the tests after it.
for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do reg_delete_key "$root\\Software\\ODBC"; done
rm -f "$(ini_file odbc.ini)" "$(ini_file odbcinst.ini)" "$config"
echo "both generations registered from the running program: records, profile files and alias as expected"
