#!/usr/bin/env bash
# Creates a database through the engine's query object under Wine, then checks from the
# server's side, with the MariaDB command-line client on the server's socket, that it exists.
set -euo pipefail
program="${1:?usage: create_database_check.sh unit_dbengine_win32.exe}"
: "${LINTORA_MYSQL_SOCKET:?needs the server of scripts/mariadb-server.sh run}"
database="lt_check_$$_${RANDOM}"
server() {
  mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
    -p"$LINTORA_MYSQL_PASSWORD" -N -e "$1"
}
[ -z "$(server "SHOW DATABASES LIKE '$database'")" ] || { echo "FAIL: $database exists already"; exit 1; }
LINTORA_TEST_NEW_DATABASE="$database" "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-run.sh" \
  "$program" --gtest_filter='DatabaseOpen.QueryCreatesDatabase*'
found=$(server "SHOW DATABASES LIKE '$database'")
server "DROP DATABASE IF EXISTS \`$database\`"
[ "$found" = "$database" ] || { echo "FAIL: the server has no database $database"; exit 1; }
echo "the server has the database $database"
