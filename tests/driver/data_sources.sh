# The driver files the program carries are a working ODBC driver: the data sources of the 2.50
# ("MySQL") and the 5.3 ("MySQL5.3+") generation, and the default data source "mysql", connect
# through the DLL that their record's "Driver" names, with the driver reading the record itself;
# a record without a password connects; a wrong password is refused with SQLSTATE 28000.
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

# ---------------------------------------------------------------------------------------------
# Stands in for the installation run, which is not there yet: what
#   Lintora.exe DSN 127.0.0.1 PASSWORD AUTO
# does, with the generation, user and port set beforehand in HKCU\Software\Lintora ("DbTYPE",
# "User", "Port"). Replace its body by exactly that run once it exists:
#   reg add 'HKCU\Software\Lintora' /v DbTYPE /d GENERATION /f   (and "User", "Port" alike)
#   "$LINTORA_WINE" "$exe" DSN 127.0.0.1 PASSWORD AUTO & wait_exit $! 60
# Until then it writes the registry records the way the registration does (both roots, the
# per-user record of the 5.3 generation with CHARSET) and copies the driver files the program
# carries into the system directory, as the run writes them.
#   install_data_source GENERATION DSN USER PASSWORD
install_data_source() {
  local generation="$1" dsn="$2" user="$3" password="$4"
  local driver_name driver_file setup_file default_key user_description charset=""
  local description="This Is MySql Odbc"
  if [ "$generation" = "MySQL5.3+" ]; then
    driver_name="MySQL ODBC 5.3 Driver" driver_file=myodbc5a.dll setup_file=myodbc5S.dll
    default_key=MySQL user_description="$description 5.3" charset=latin1
  else
    driver_name=MySQL driver_file=myodbc.dll setup_file=myodbc.dll default_key=mysql
    user_description="$description"
  fi
  local odbc='Software\ODBC\ODBC.INI' odbcinst='Software\ODBC\ODBCINST.INI'
  local reg="$SCRATCH/install.reg" root default_description record_charset
  {
    echo REGEDIT4
    for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
      default_description="$description" record_charset=""
      if [ "$root" = HKEY_CURRENT_USER ]; then
        default_description="$user_description" record_charset="$charset"
      fi
      reg_key "$root\\$odbcinst\\ODBC Drivers" "$driver_name=Installed"
      reg_key "$root\\$odbc\\ODBC Data Sources" "$dsn=$driver_name" "mysql=$driver_name"
      reg_record "$root\\$odbc\\$default_key" "$sysdir$driver_file" "$default_description" mysql \
                 "" "$user" "$password"
      reg_record "$root\\$odbc\\$dsn" "$sysdir$driver_file" "$description" "$dsn" \
                 "$record_charset" "$user" "$password"
      reg_key "$root\\$odbcinst\\$driver_name" "Driver=$sysdir$driver_file" \
              "Setup=$sysdir$setup_file"
    done
  } >"$reg"
  "$LINTORA_WINE" regedit /s "$(winepath_of "$reg")" || fail "regedit could not import $reg"
  local system name
  system=$(unix_path "$sysdir")
  for name in Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll; do
    [ -e "$system/$name" ] || cp -p "$LINTORA_DRIVER_FILES/$name" "$system/$name"
  done
}

# A key of a .reg file with its values: reg_key KEY NAME=VALUE...
reg_key() {
  local key="$1" pair
  shift
  printf '\n[%s]\n' "$key"
  for pair in "$@"; do
    printf '"%s"="%s"\n' "$(reg_escape "${pair%%=*}")" "$(reg_escape "${pair#*=}")"
  done
}
reg_escape() { sed -e 's/\\/\\\\/g' -e 's/"/\\"/g' <<<"$1"; }

# A data source record, deleted and made afresh with its values in the registration's order:
#   reg_record KEY DRIVER DESCRIPTION DATABASE CHARSET USER PASSWORD
# (CHARSET and PASSWORD only when not empty).
reg_record() {
  local key="$1" driver="$2" description="$3" database="$4" charset="$5" user="$6" password="$7"
  local values=("Driver=$driver" "Description=$description" "DataBase=$database")
  [ -z "$charset" ] || values+=("CHARSET=$charset")
  values+=("Server=$server" "User=$user")
  [ -z "$password" ] || values+=("Password=$password")
  values+=("Option=27" "Port=$LINTORA_MYSQL_PORT")
  printf '\n[-%s]\n' "$key"
  reg_key "$key" "${values[@]}"
}
# ---------------------------------------------------------------------------------------------

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
  record_holds "$dsn" "$names"
  connects "$dsn" "$driver_file"
  connects mysql "$driver_file"
}

echo "== 5.3 generation: the data source and the default data source, through myodbc5a.dll"
generation_works "MySQL5.3+" lintora_odbc53 myodbc5a.dll \
  "CHARSET DataBase Description Driver Option Password Port Server User"

echo "== 2.50 generation: the data source and the default data source, through myodbc.dll"
generation_works MySQL lintora_odbc25 myodbc.dll \
  "DataBase Description Driver Option Password Port Server User"

echo "== an account without a password: the record has no Password and connects"
install_data_source MySQL lintora_nopass lintora_nopass ""
record_holds lintora_nopass "DataBase Description Driver Option Port Server User"
connects lintora_nopass myodbc.dll

echo "== a wrong password is refused with SQLSTATE 28000"
install_data_source "MySQL5.3+" lintora_odbc53 "$LINTORA_MYSQL_USER" wrong-password
run_client lintora_odbc53
[ "$client_code" -eq 1 ] || fail "a wrong password gave exit code $client_code, not 1"
grep -q 'SQLSTATE 28000' <<<"$client_output" || fail "a wrong password gave no SQLSTATE 28000"
echo "the carried driver works for both generations' records"
