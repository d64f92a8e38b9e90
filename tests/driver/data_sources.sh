# The driver files the program carries are a working ODBC driver: the data sources of the 2.50
# ("MySQL") and the 5.3 ("MySQL5.3+") generation, and the default data source "mysql", connect
# through the DLL that their record's "Driver" names, with the driver reading the record itself;
# a record without a password connects; a wrong password is refused with SQLSTATE 28000. Against
# a server that refuses plain connections (LINTORA_MYSQL_TLS=required) the installation's own
# test connects all the same and the records also carry FORCETLS, the driver's switch for TLS.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
: "${LINTORA_ODBC_CLIENT:?}" "${LINTORA_DRIVER_FILES:?}" "${LINTORA_DRIVER_KIND:?}"
: "${LINTORA_DRIVER_PACKED:?}"
: "${LINTORA_MYSQL_PORT:?run under scripts/mariadb-server.sh}"
if [ "$LINTORA_DRIVER_KIND" = standin ]; then
  echo "SKIPPED: this build carries the stand-in driver files, which are no ODBC driver"
  exit 77
fi

sysdir='C:\windows\system32\'
server=127.0.0.1

exe=$(program_copy)
# The installation run of the real program writes the records and the driver files:
#   Lintora.exe DSN 127.0.0.1 PASSWORD AUTO
# with the generation, the user and the port saved beforehand as an earlier run leaves them. A
# command line cannot carry an empty password in front of "AUTO", so for an account without one
# the saved password is empty and the install button is pressed in the dialog instead.
#   install_data_source GENERATION DSN USER PASSWORD
install_data_source() {
  local generation="$1" dsn="$2" user="$3" password="$4" pair code=0
  for pair in "DbTYPE=$generation" "User=$user" "Port=$LINTORA_MYSQL_PORT" "Password=$password"; do
    reg_set 'HKCU\Software\Lintora' "${pair%%=*}" "${pair#*=}"
  done
  if [ -n "$password" ]; then
    "$LINTORA_WINE" "$exe" "$dsn" "$server" "$password" AUTO &
    wait_exit $! 60 || code=$?
  else
    "$LINTORA_WINE" "$exe" "$dsn" "$server" &
    local program=$!
    wintool wait TLintoraForm 30 || fail "the dialog did not appear for $dsn"
    press_install
    wintool close TLintoraForm
    wait_exit "$program" || code=$?
  fi
  # 1: the run's own connection test failed, as it must for a wrong password.
  [ "$code" -le 1 ] || fail "the installation of $dsn ended with exit code $code"
  install_code=$code
}

# PROGRAM holds the bytes of FILE.
carries() {
  python3 -c 'import sys
whole, part = (open(path, "rb").read() for path in sys.argv[1:3])
sys.exit(part not in whole)' "$1" "$2"
}
# The driver files installed here are the ones the program carries: each is held byte for byte
# in the program (unless the build packs them), not an older build of them.
if [ "$LINTORA_DRIVER_PACKED" = no ]; then
  for name in Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll; do
    carries "$LINTORA_EXE" "$LINTORA_DRIVER_FILES/$name" ||
      fail "$(basename "$LINTORA_EXE") does not carry $LINTORA_DRIVER_FILES/$name"
  done
fi

# Each step says when it starts: a run that ctest ends for taking too long shows where it was.
step() { echo "== $* (at ${SECONDS} s)"; }

# The test server's databases and an account without a password, made once per server.
mysql_admin() {
  mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
    -p"$LINTORA_MYSQL_PASSWORD" -e "$1" || fail "the test server refused: $1"
}
mysql_admin "CREATE DATABASE IF NOT EXISTS lintora_odbc25;
             CREATE DATABASE IF NOT EXISTS lintora_odbc53;
             CREATE DATABASE IF NOT EXISTS lintora_nopass;
             CREATE USER IF NOT EXISTS 'lintora_nopass'@'%';
             GRANT ALL PRIVILEGES ON lintora_nopass.* TO 'lintora_nopass'@'%';"

# The value names of a data source's per-user record are NAMES (sorted: Wine's registry keeps a
# key's values sorted by name, whatever order they were written in).
record_holds() {
  local dsn="$1" names="$2" found
  if [ "${LINTORA_MYSQL_TLS:-off}" = required ]; then
    names=$(tr ' ' '\n' <<<"$names FORCETLS" | LC_ALL=C sort | paste -sd' ')
  fi
  found=$(reg_key_entries "HKEY_CURRENT_USER\\Software\\ODBC\\ODBC.INI\\$dsn" |
          awk '{ print $1 }' | LC_ALL=C sort | paste -sd' ')
  [ "$found" = "$names" ] || fail "the record of $dsn holds $found, not $names"
}

# Runs the test client on DSN; prints its lines and leaves its exit code in $client_code.
run_client() {
  client_code=0
  client_output=$(timeout -k 5 90 "$LINTORA_WINE" "$LINTORA_ODBC_CLIENT" "$1" | tr -d '\r') ||
    client_code=$?
  sed 's/^/  client: /' <<<"$client_output"
}

# DSN connects through DRIVER_FILE and answers with its own database.
connects() {
  local dsn="$1" driver_file="$2"
  run_client "$dsn"
  [ "$client_code" -eq 0 ] || fail "$dsn did not work through its driver (exit code $client_code)"
  grep -qF "Driver=$sysdir$driver_file " <<<"$client_output" ||
    fail "the record of $dsn does not name $sysdir$driver_file"
}

# A generation's installation gives a data source record holding NAMES, and both that data
# source and the default data source "mysql" work through DRIVER_FILE.
#   generation_works GENERATION DSN DRIVER_FILE NAMES
generation_works() {
  local generation="$1" dsn="$2" driver_file="$3" names="$4"
  install_data_source "$generation" "$dsn" "$LINTORA_MYSQL_USER" "$LINTORA_MYSQL_PASSWORD"
  [ "$install_code" -eq 0 ] || fail "the installation's connection test of $dsn failed"
  record_holds "$dsn" "$names"
  connects "$dsn" "$driver_file"
  connects mysql "$driver_file"
}

step "5.3 generation: the data source and the default data source, through myodbc5a.dll"
generation_works "MySQL5.3+" lintora_odbc53 myodbc5a.dll \
  "CHARSET DataBase Description Driver Option Password Port Server User"

step "2.50 generation: the data source and the default data source, through myodbc.dll"
generation_works MySQL lintora_odbc25 myodbc.dll \
  "DataBase Description Driver Option Password Port Server User"

step "an account without a password: the record has no Password and connects"
install_data_source MySQL lintora_nopass lintora_nopass ""
record_holds lintora_nopass "DataBase Description Driver Option Port Server User"
connects lintora_nopass myodbc.dll

step "a wrong password is refused with SQLSTATE 28000"
install_data_source "MySQL5.3+" lintora_odbc53 "$LINTORA_MYSQL_USER" wrong-password
run_client lintora_odbc53
[ "$client_code" -eq 1 ] || fail "a wrong password gave exit code $client_code, not 1"
grep -q 'SQLSTATE 28000' <<<"$client_output" || fail "a wrong password gave no SQLSTATE 28000"
echo "the carried driver works for both generations' records"
