# On 64-bit Windows one installation run serves the ODBC programs of both architectures. Whole
# AUTO runs of each generation in a 64-bit prefix: each architecture's four driver files in its
# own system directory (the carried bytes, the stored times), the driver and machine-wide records
# in both registry views with the same values, the per-user records once, a 64-bit client through
# the data source by name; a blocked other-architecture file is abandoned alone and named in the
# run log while the run still ends 0; deleting the data source removes both views' records.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
: "${LINTORA_MYSQL_PORT:?run under scripts/mariadb-server.sh}" "${LINTORA_DRIVER_FILES:?}"
: "${LINTORA_ODBC_CLIENT:?}"
if [ "${LINTORA_WINEARCH:-win64}" != win64 ]; then
  echo "SKIPPED: a 32-bit prefix has no other architecture (the other scenarios hold it unchanged)"
  exit 77
fi
if [ -z "${LINTORA_OTHER_DRIVER_FILES:-}" ]; then
  echo "SKIPPED: this build carries no driver files for the other architecture"
  exit 77
fi
# The 64-bit build's own world is system32 and the 64-bit view; the other one syswow64 and the
# 32-bit view.
own=$(unix_path 'C:\windows\system32')
other=$(unix_path 'C:\windows\syswow64')
otherdir='C:\windows\syswow64'
sysdir='C:\windows\system32\'
settings='HKEY_CURRENT_USER\Software\Lintora'
appdata=$("$LINTORA_WINE" cmd /c 'echo %APPDATA%' | tr -d '\r')
log=$(unix_path "$appdata\\Lintora\\Lintora.log")
drivers=(Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll)
times=("2000-10-23 11:07:26" "2000-10-23 11:07:50" "2014-06-19 00:54:24" "2014-06-19 00:54:22")
exe=$(program_copy)

forget_everything() {
  local view name
  for view in /reg:32 /reg:64; do
    "$LINTORA_WINE" reg delete 'HKEY_LOCAL_MACHINE\Software\ODBC' /f $view >/dev/null 2>&1 || true
  done
  reg_delete_key 'HKEY_CURRENT_USER\Software\ODBC'
  for name in "${drivers[@]}"; do rm -rf "${own:?}/$name" "${other:?}/$name"; done
}
preset() {
  local pair
  for pair in "DbTYPE=$1" "User=$LINTORA_MYSQL_USER" "Port=$LINTORA_MYSQL_PORT"; do
    "$LINTORA_WINE" reg add "$settings" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
  done
}
auto_run() {
  local code=0
  "$LINTORA_WINE" "$exe" "$1" 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" AUTO &
  wait_exit $! 60 || code=$?
  [ "$code" -eq 0 ] || fail "AUTO for $1 ended with exit code $code, not 0"
}
# Every value of KEY in registry VIEW (/reg:32 or /reg:64) as NAME=DATA lines, sorted.
values_of() {
  "$LINTORA_WINE" reg query "$1" $2 2>/dev/null | tr -d '\r' |
    awk '/^ +[^ ].*    REG_SZ    / { line = $0; sub(/^ +/, "", line); sub(/    REG_SZ    /, "=", line)
                                     print line }' | LC_ALL=C sort
}
# KEY holds the same values, and at least one, in both views.
same_in_both_views() {
  local in64 in32
  in64=$(values_of "$1" /reg:64)
  in32=$(values_of "$1" /reg:32)
  [ -n "$in64" ] || fail "$1 is empty or missing in the 64-bit view"
  [ "$in64" = "$in32" ] || fail "$1 differs between the views:
64-bit: $in64
32-bit: $in32"
}
# DIR holds the four files of FILES byte for byte, each last written at its stored time.
carried_files_in() {
  local dir="$1" files="$2" i name expected
  for i in 0 1 2 3; do
    name=${drivers[$i]}
    cmp -s "$dir/$name" "$files/$name" || fail "$dir/$name is not the carried $files/$name"
    expected=$(TZ="${LINTORA_TZ:-Asia/Taipei}" date -d "${times[$i]}" +%s)
    [ "$(stat -c %Y "$dir/$name")" = "$expected" ] || fail "$dir/$name does not have its stored time"
  done
}
last_log_block() {
  tr -d '\r' <"$log" | awk '/^\[/ { block = "" } { block = block $0 "\n" } END { printf "%s", block }'
}

forget_everything
mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
  -p"$LINTORA_MYSQL_PASSWORD" -e "CREATE DATABASE IF NOT EXISTS lt_both_MySQL53;
    CREATE DATABASE IF NOT EXISTS lt_both_MySQL; CREATE DATABASE IF NOT EXISTS lt_blocked;" ||
  fail "the test server refused the databases"
cmp -s "$LINTORA_DRIVER_FILES/Myodbc.dll" "$LINTORA_OTHER_DRIVER_FILES/Myodbc.dll" &&
  fail "the program carries the same driver for both architectures"
for generation in "MySQL5.3+" MySQL; do
  dsn=lt_both_${generation//[^A-Za-z0-9]/}
  echo "== $generation: both architectures' files and machine-wide records, per-user ones once"
  preset "$generation"
  auto_run "$dsn"
  carried_files_in "$own" "$LINTORA_DRIVER_FILES"
  carried_files_in "$other" "$LINTORA_OTHER_DRIVER_FILES"
  odbc='HKEY_LOCAL_MACHINE\Software\ODBC'
  driver="MySQL ODBC 5.3 Driver"
  [ "$generation" = MySQL ] && driver=MySQL
  for key in "$odbc\\ODBC.INI\\$dsn" "$odbc\\ODBC.INI\\mysql" "$odbc\\ODBC.INI\\ODBC Data Sources" \
             "$odbc\\ODBCINST.INI\\$driver" "$odbc\\ODBCINST.INI\\ODBC Drivers"; do
    same_in_both_views "$key"
  done
  values_of "$odbc\\ODBC.INI\\$dsn" /reg:32 | grep -qxF "Driver=$sysdir$([ "$driver" = MySQL ] &&
    echo myodbc.dll || echo myodbc5a.dll)" || fail "the 32-bit view's record names no driver file"
  # The per-user records are one tree, which both architectures' programs read.
  [ "$(values_of "HKEY_CURRENT_USER\\Software\\ODBC\\ODBC.INI\\$dsn" /reg:32)" = \
    "$(values_of "HKEY_CURRENT_USER\\Software\\ODBC\\ODBC.INI\\$dsn" /reg:64)" ] ||
    fail "the per-user record of $dsn differs between the views"
  last_log_block | grep -qF "  write the 32-bit driver file $otherdir\\myodbc5a.dll: " ||
    fail "the run log does not name the 32-bit driver files"
  echo "== $generation: a 64-bit client connects through $dsn"
  client_output=$(timeout -k 5 90 "$LINTORA_WINE" "$LINTORA_ODBC_CLIENT" "$dsn" | tr -d '\r') ||
    fail "the 64-bit client did not work through $dsn:
$client_output"
done

echo "== a folder in place of a 32-bit driver file: abandoned alone, the run still ends 0"
forget_everything
mkdir "$other/myodbc5a.dll"
preset "MySQL5.3+"
auto_run lt_blocked
carried_files_in "$own" "$LINTORA_DRIVER_FILES"
for name in Myodbc.dll Myodbcd.dll myodbc5S.dll; do
  cmp -s "$other/$name" "$LINTORA_OTHER_DRIVER_FILES/$name" || fail "32-bit $name was not written"
done
[ -d "$other/myodbc5a.dll" ] || fail "the folder in the way was replaced"
last_log_block | grep -q "^  write the 32-bit driver file ${otherdir//\\/\\\\}\\\\myodbc5a.dll: abandoned: ." ||
  fail "the run log does not say that the blocked 32-bit file was abandoned:
$(last_log_block)"
same_in_both_views 'HKEY_LOCAL_MACHINE\Software\ODBC\ODBC.INI\lt_blocked'
client_output=$(timeout -k 5 90 "$LINTORA_WINE" "$LINTORA_ODBC_CLIENT" lt_blocked | tr -d '\r') ||
  fail "the 64-bit client did not work through lt_blocked:
$client_output"
rmdir "$other/myodbc5a.dll"

echo "== deleting the data source removes its machine-wide record in both views"
"$LINTORA_WINE" "$exe" lt_blocked &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
confirm_delete BIG5 '確定要刪除?' 6  # 是(&Y)
wintool close TLintoraForm
wait_exit "$program" || true
for view in /reg:32 /reg:64; do
  "$LINTORA_WINE" reg query 'HKEY_LOCAL_MACHINE\Software\ODBC\ODBC.INI\lt_blocked' $view \
    >/dev/null 2>&1 && fail "the record of lt_blocked is still in the view $view"
done
forget_everything
echo "PASS"
