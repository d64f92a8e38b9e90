# Whole installations of the real program with "AUTO" against the test server: both generations,
# the records they leave, the four driver files (the carried bytes, their stored times in the
# prefix's local time), existing files kept, a generation text that registers nothing, and the
# exit codes: 0 connected, 1 the test failed (wrong password, nothing listening), 2 an error
# ended the run (an uncreatable driver file: the error box, then the dialog).
# "SILENT" runs the same installations with no display at all: the same records, files and exit
# codes, its messages in the run log, and the deployment example in deploy/ run by Wine's cmd.exe.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
: "${LINTORA_MYSQL_PORT:?run under scripts/mariadb-server.sh}" "${LINTORA_DRIVER_FILES:?}"
settings='HKEY_CURRENT_USER\Software\Lintora'
sysdir=$("$LINTORA_WINE" cmd /c 'echo %SystemRoot%\system32' | tr -d '\r')
system=$(unix_path "$sysdir")
windir=$(unix_path 'C:\windows')
appdata=$("$LINTORA_WINE" cmd /c 'echo %APPDATA%' | tr -d '\r')
config=$(unix_path "$appdata\\Lintora\\DbEngine.cfg")
log=$(unix_path "$appdata\\Lintora\\Lintora.log")
drivers=(Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll)
exe=$(program_copy)

mysql_admin() {
  mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
    -p"$LINTORA_MYSQL_PASSWORD" -N -e "$1" || fail "the test server refused: $1"
}
remove_driver_files() {
  local name
  for name in "${drivers[@]}"; do rm -rf "${system:?}/$name"; done
}
forget_everything() {
  local root
  for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do reg_delete_key "$root\\Software\\ODBC"; done
  reg_delete_key "$settings"
  find "$windir" -maxdepth 1 \( -iname odbc.ini -o -iname odbcinst.ini \) -delete
  rm -f "$config"
  remove_driver_files
}
# The fields that are not on the command line, as an earlier run saved them.
preset() {
  local generation="$1" port="${2:-$LINTORA_MYSQL_PORT}" pair
  for pair in "DbTYPE=$generation" "User=$LINTORA_MYSQL_USER" "Port=$port"; do
    "$LINTORA_WINE" reg add "$settings" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
  done
}
# Runs Lintora.exe DSN 127.0.0.1 PASSWORD AUTO and fails unless it ends with EXPECTED. With a
# fourth argument, Wine's trace of the modules the program loads goes to that file.
auto_run() {
  local dsn="$1" password="$2" expected="$3" trace="${4:-}" code=0
  if [ -n "$trace" ]; then
    LINTORA_WINEDEBUG=+loaddll "$LINTORA_WINE" "$exe" "$dsn" 127.0.0.1 "$password" AUTO 2>"$trace" &
  else
    "$LINTORA_WINE" "$exe" "$dsn" 127.0.0.1 "$password" AUTO &
  fi
  wait_exit $! 60 || code=$?
  [ "$code" -eq "$expected" ] || fail "AUTO for $dsn ended with exit code $code, not $expected"
}

# Fails when Wine's module trace shows that the run loaded the display driver, the theme or the
# common controls: without them no window of the program can have appeared.
expect_windowless() {
  local trace="$1" mode="$2" module
  shift 2
  # The trace passes wine-run.sh's stderr filter, which may end a moment after the program.
  for _ in $(seq 50); do grep -qi 'Loaded .*kernel32\.dll' "$trace" && break; sleep 0.1; done
  grep -qi 'Loaded .*kernel32\.dll' "$trace" || fail "no module trace in $trace"
  for module in winex11.drv uxtheme.dll comctl32.dll "$@"; do
    if grep -qi "Loaded .*\\\\$module\"" "$trace"; then fail "the $mode run loaded $module"; fi
  done
}
# Runs Lintora.exe DSN 127.0.0.1 PASSWORD SILENT without a display and fails unless it ends with
# EXPECTED within SECONDS (30 unless given) and without a window.
silent_run() {
  local dsn="$1" password="$2" expected="$3" seconds="${4:-30}" code=0
  local trace="$SCRATCH/silent-modules.txt"
  env -u DISPLAY LINTORA_WINEDEBUG=+loaddll \
    "$LINTORA_WINE" "$exe" "$dsn" 127.0.0.1 "$password" SILENT 2>"$trace" &
  wait_exit $! "$seconds" || code=$?
  [ "$code" -eq "$expected" ] || fail "SILENT for $dsn ended with exit code $code, not $expected"
  expect_windowless "$trace" SILENT
}
# The log's last block, without its carriage returns.
last_log_block() {
  tr -d '\r' <"$log" | awk '/^\[/ { block = "" } { block = block $0 "\n" } END { printf "%s", block }'
}
# The last block holds every one of the given lines.
expect_logged() {
  local block line
  block=$(last_log_block)
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$block" || fail "the run log's last block lacks '$line':
$block"
  done
}

# The FileDate the program carries for file number N (1 to 4), from the form it was built with.
stored_date() {
  awk -v object="BinStream$1" '$1 == "object" { inside = ($2 == object ":") }
    inside && $1 == "FileDate" { sub(/^[^'\'']*'\''/, ""); sub(/ *'\''.*$/, ""); print; exit }' \
    "$LINTORA_BUILD_DIR/resources/LintoraForm.txt"
}
# The file is the carried driver file, last written at its stored time in the program's zone.
expect_carried_file() {
  local number="$1" name="${drivers[$(($1 - 1))]}" date expected actual
  cmp -s "$system/$name" "$LINTORA_DRIVER_FILES/$name" || fail "$name is not the carried file"
  date=$(stored_date "$number")
  expected=$(TZ="${LINTORA_TZ:-Asia/Taipei}" date -d "${date//\//-}" +%s)
  actual=$(stat -c %Y "$system/$name")
  [ "$actual" = "$expected" ] ||
    fail "$name was last written $(date -u -d "@$actual"), not $date local ($(date -u -d "@$expected"))"
}
# The registry value NAME of KEY holds DATA.
expect_value() {
  local key="$1" name="$2" data="$3" actual
  actual=$("$LINTORA_WINE" reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' |
           awk -v n="$name" '{ line = $0; sub(/^ +/, "", line) }
             index(line, n "    REG_SZ    ") == 1 { print substr(line, length(n) + 15) }')
  [ "$actual" = "$data" ] || fail "$key\\$name holds '$actual', not '$data'"
}
# The data source's records of both roots, its list entries and its profile-file entry.
expect_registered() {
  local dsn="$1" driver="$2" charset="$3" root odbc
  for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
    odbc="$root\\Software\\ODBC\\ODBC.INI"
    expect_value "$odbc\\ODBC Data Sources" "$dsn" "$driver"
    expect_value "$odbc\\ODBC Data Sources" mysql "$driver"
    expect_value "$odbc\\$dsn" DataBase "$dsn"
    expect_value "$odbc\\$dsn" Server 127.0.0.1
    expect_value "$odbc\\$dsn" Port "$LINTORA_MYSQL_PORT"
    expect_value "$odbc\\$dsn" User "$LINTORA_MYSQL_USER"
    expect_value "$odbc\\$dsn" Password "$LINTORA_MYSQL_PASSWORD"
  done
  [ -z "$charset" ] ||
    expect_value "HKEY_CURRENT_USER\\Software\\ODBC\\ODBC.INI\\$dsn" CHARSET "$charset"
  grep -qa "^\[$dsn\]" "$(find "$windir" -maxdepth 1 -iname odbc.ini | head -n 1)" ||
    fail "ODBC.INI has no section for $dsn"
  grep -qa "^\[$dsn\]" "$config" || fail "the engine's alias store has no $dsn"
}

forget_everything
mysql_admin "CREATE DATABASE IF NOT EXISTS lt_auto53; CREATE DATABASE IF NOT EXISTS lt_auto25;"

echo "== 5.3 generation: exit code 0, the records, the four files with their stored times"
preset "MySQL5.3+"
modules="$SCRATCH/auto-modules.txt"
auto_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 0 "$modules"
expect_registered lt_auto53 "MySQL ODBC 5.3 Driver" latin1
for number in 1 2 3 4; do expect_carried_file "$number"; done
expect_value "$settings" Db lt_auto53

echo "== the unattended run shows nothing: no display, common controls or crypto library loaded"
# Starting the display alone takes about as long as the whole rest of the run; the crypto
# library is for the server's RSA password exchange only, which this server does not ask for.
expect_windowless "$modules" AUTO crypt32.dll

echo "== SILENT without a display: the same records and files, exit code 0, the run logged"
forget_everything
preset "MySQL5.3+"
silent_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 0
expect_registered lt_auto53 "MySQL ODBC 5.3 Driver" latin1
for number in 1 2 3 4; do expect_carried_file "$number"; done
expect_logged "  connection to lt_auto53: opened" "  exit code: 0"
grep -qF "$LINTORA_MYSQL_PASSWORD" "$log" && fail "the run log holds the password"

echo "== SILENT: a stopped server 1, a stalling one 1 within the deadline, a start-up error 2"
closed_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
preset "MySQL5.3+" "$closed_port"
silent_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 1
expect_logged "  exit code: 1"
last_log_block | grep -q "^  connection to lt_auto53: failed: ." || fail "no reason logged"
# Accepts connections and never answers; it gives up on its own after a minute.
stall_port_file="$SCRATCH/stall-port"
python3 -c 'import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(4)
open(sys.argv[1], "w").write(str(s.getsockname()[1])); s.settimeout(60)
held = []
try:
    while True: held.append(s.accept()[0])
except OSError: pass' "$stall_port_file" &
stalling=$!
for _ in $(seq 50); do [ -s "$stall_port_file" ] && break; sleep 0.1; done
preset "MySQL5.3+" "$(cat "$stall_port_file")"
silent_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 1 20  # the engine's deadline is 10 s
kill "$stalling"
expect_logged "  exit code: 1"
preset "MySQL5.3+"
"$LINTORA_WINE" reg add "$settings" /v DbTYPE /t REG_DWORD /d 1 /f >/dev/null
silent_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 2 15
expect_logged "  data source: lt_auto53" "  exit code: 2"
last_log_block | grep -q "^  start-up: failed: ." || fail "the start-up error is not logged"

echo "== 2.50 generation over existing files: an older and a newer file kept byte for byte"
remove_driver_files
printf 'older driver' >"$system/Myodbc.dll"
touch -d '1999-03-04 05:06:08' "$system/Myodbc.dll"
printf 'newer driver' >"$system/myodbc5a.dll"
touch -d '2031-03-04 05:06:08' "$system/myodbc5a.dll"
preset MySQL
auto_run lt_auto25 "$LINTORA_MYSQL_PASSWORD" 0
expect_registered lt_auto25 MySQL ""
[ "$(cat "$system/Myodbc.dll")" = "older driver" ] || fail "the older Myodbc.dll was replaced"
[ "$(stat -c %Y "$system/Myodbc.dll")" = "$(date -d '1999-03-04 05:06:08' +%s)" ] ||
  fail "the older Myodbc.dll lost its time"
[ "$(cat "$system/myodbc5a.dll")" = "newer driver" ] || fail "the newer myodbc5a.dll was replaced"
[ "$(stat -c %Y "$system/myodbc5a.dll")" = "$(date -d '2031-03-04 05:06:08' +%s)" ] ||
  fail "the newer myodbc5a.dll lost its time"
expect_carried_file 2
expect_carried_file 4

echo "== a generation text in lower case registers nothing, yet writes the files and tests"
remove_driver_files
preset mysql
auto_run lt_lower "$LINTORA_MYSQL_PASSWORD" 1
reg_key_exists 'HKEY_CURRENT_USER\Software\ODBC\ODBC.INI\lt_lower' && fail "lt_lower was registered"
for number in 1 2 3 4; do expect_carried_file "$number"; done

echo "== the test fails: a wrong password, a port nobody listens on (exit code 1)"
preset "MySQL5.3+"
auto_run lt_auto53 not-the-password 1
closed_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
preset "MySQL5.3+" "$closed_port"
auto_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 1

echo "== an uncreatable driver file: the error box, the dialog on the input page, exit code 2"
preset "MySQL5.3+"
remove_driver_files
mkdir "$system/myodbc5a.dll"
"$LINTORA_WINE" "$exe" lt_auto53 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" AUTO &
program=$!
wintool wait TMessageForm 30 || fail "no error box for the uncreatable driver file"
wintool list TMessageForm | tr -d '\r' | grep -qF "Cannot create file $sysdir\\myodbc5a.dll" ||
  fail "the error box does not name the uncreatable file"
wintool click TMessageForm 1 || fail "no OK button in the error box"
wintool wait TLintoraForm 30 || fail "the dialog did not open after the error"
[ "$(control_text TLintoraForm 124 68)" = lt_auto53 ] || fail "the dialog is not on the input page"
wintool close TLintoraForm
code=0
wait_exit "$program" || code=$?
[ "$code" -eq 2 ] || fail "closing the dialog after the error gave exit code $code, not 2"
for number in 1 2; do expect_carried_file "$number"; done
[ -e "$system/myodbc5S.dll" ] && fail "a driver file after the failing one was written"

echo "== SILENT with an uncreatable driver file: no box, no dialog, exit code 2, the error logged"
silent_run lt_auto53 "$LINTORA_MYSQL_PASSWORD" 2
expect_logged "  exit code: 2"
last_log_block | grep -qF "  write driver files: failed: Cannot create file $sysdir\\myodbc5a.dll" ||
  fail "the uncreatable driver file is not logged"

rmdir "$system/myodbc5a.dll"

echo "== the deployment example under cmd.exe: installer codes and the run's log block copied"
cp "$LINTORA_SOURCE_DIR/deploy/Lintora-deploy.cmd" "$(dirname "$exe")/"
# A distribution tool runs the script in a cmd.exe of its own and reads that process's exit code,
# as the wrapper does; it prints the whole number, which a Unix exit status cannot hold.
printf '@cmd /c ""%%~dp0Lintora-deploy.cmd" %%*"\r\n@echo installer code %%ERRORLEVEL%%\r\n' \
  >"$(dirname "$exe")/deploy-test.cmd"
report="$SCRATCH/report folder"
deploy() {
  env -u DISPLAY timeout 60 "$LINTORA_WINE" cmd /c "$(winepath_of "$(dirname "$exe")/deploy-test.cmd")" \
    lt_auto53 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" "$(winepath_of "$report")" | tr -d '\r'
}
expect_deployed() {
  local output="$1" code="$2" copied
  grep -qx "installer code $code" <<<"$output" || fail "the example gave '$output', not code $code"
  copied=$(find "$report" -name 'Lintora-*.log' | head -n 1)
  [ -n "$copied" ] || fail "the example copied no log block to $report"
  [ "$(tr -d '\r' <"$copied")" = "$(last_log_block)" ] || fail "the copied block is not the run's:
$(cat "$copied")"
}
preset "MySQL5.3+"
expect_deployed "$(deploy)" 0
preset "MySQL5.3+" "$closed_port"
expect_deployed "$(deploy)" 1627
expect_logged "  exit code: 1"
forget_everything
mysql_admin "DROP DATABASE lt_auto53; DROP DATABASE lt_auto25;"
echo "AUTO installations: exit codes 0, 1 and 2, records, driver files and times as expected"
