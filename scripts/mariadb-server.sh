#!/usr/bin/env bash
# A throwaway MariaDB server for tests and the demo: its own data folder, a free loopback port,
# and a known account. Usage:
#   mariadb-server.sh start DIR    prints the environment to eval (LINTORA_MYSQL_*)
#   mariadb-server.sh stop DIR
#   mariadb-server.sh run CMD...   starts one in a temporary folder, runs CMD with the
#                                  environment set, stops the server whatever CMD does
# LINTORA_MYSQL_TLS chooses the server's TLS: "off" (the default: no TLS offered), "offered" (a
# self-signed certificate made at start in the server's folder; plain connections still work)
# or "required" (the same, and require_secure_transport=ON refuses plain TCP connections).
set -euo pipefail
MYSQL_USER=root
MYSQL_PASSWORD=lintora-test

tls_mode() {
  case "${LINTORA_MYSQL_TLS:-off}" in
    off | offered | required) echo "${LINTORA_MYSQL_TLS:-off}" ;;
    *) echo "mariadb-server: LINTORA_MYSQL_TLS must be off, offered or required" \
         "(not '$LINTORA_MYSQL_TLS')" >&2; return 1 ;;
  esac
}

# A throwaway self-signed certificate for 127.0.0.1 and its key, made in DIR.
make_certificate() {
  local dir="$1"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
    -keyout "$dir/tls-key.pem" -out "$dir/tls-cert.pem" >"$dir/tls.log" 2>&1 ||
    { echo "mariadb-server: openssl could not make the certificate:" >&2; cat "$dir/tls.log" >&2
      return 1; }
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

start() {
  local dir="$1" port mode tls=()
  mkdir -p "$dir"
  dir="$(cd "$dir" && pwd)"
  mode=$(tls_mode) || return 1
  if [ "$mode" != off ]; then
    make_certificate "$dir" || return 1
    tls=(--ssl-cert="$dir/tls-cert.pem" --ssl-key="$dir/tls-key.pem")
    [ "$mode" = required ] && tls+=(--require-secure-transport=ON)
  fi
  port=$(free_port)
  # --force and --skip-name-resolve: a container or chroot often has a host name that does not
  # resolve, and the grant tables need none (the tests connect by socket and by 127.0.0.1). The
  # server then matches 127.0.0.1 literally, so the test account keeps only its "localhost"
  # (socket) and "%" entries, both with the password.
  mariadb-install-db --no-defaults --datadir="$dir/data" --user="$(id -un)" --force \
    --skip-name-resolve --auth-root-authentication-method=normal --skip-test-db \
    >"$dir/install.log" 2>&1 ||
    { echo "mariadb-server: mariadb-install-db failed:" >&2; cat "$dir/install.log" >&2; return 1; }
  mariadbd --no-defaults --datadir="$dir/data" --socket="$dir/mysqld.sock" --port="$port" \
    --bind-address=127.0.0.1 --skip-name-resolve --pid-file="$dir/mysqld.pid" \
    --user="$(id -un)" --skip-log-bin --innodb-buffer-pool-size=32M \
    --log-error="$dir/error.log" "${tls[@]}" >/dev/null 2>&1 &
  local server=$! ready=false
  for _ in $(seq 1 300); do
    if [ -S "$dir/mysqld.sock" ] && mariadb --no-defaults --socket="$dir/mysqld.sock" -uroot \
         -e 'SELECT 1' >/dev/null 2>&1; then
      ready=true
      break
    fi
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  if ! $ready; then
    echo "mariadb-server: the server did not come up within 30 s; its error log:" >&2
    cat "$dir/error.log" >&2 2>/dev/null || echo "(no error log at $dir/error.log)" >&2
    kill "$server" 2>/dev/null || true
    return 1
  fi
  mariadb --no-defaults --socket="$dir/mysqld.sock" -uroot >/dev/null <<SQL ||
CREATE USER IF NOT EXISTS '$MYSQL_USER'@'%' IDENTIFIED BY '$MYSQL_PASSWORD';
GRANT ALL PRIVILEGES ON *.* TO '$MYSQL_USER'@'%' WITH GRANT OPTION;
ALTER USER '$MYSQL_USER'@'localhost' IDENTIFIED BY '$MYSQL_PASSWORD';
DELETE FROM mysql.global_priv WHERE User = '$MYSQL_USER' AND Host NOT IN ('localhost', '%');
FLUSH PRIVILEGES;
SQL
    { echo "mariadb-server: setting up the test account failed; the server's error log:" >&2
      cat "$dir/error.log" >&2; return 1; }
  echo "export LINTORA_MYSQL_HOST=127.0.0.1 LINTORA_MYSQL_PORT=$port" \
       "LINTORA_MYSQL_USER=$MYSQL_USER LINTORA_MYSQL_PASSWORD=$MYSQL_PASSWORD" \
       "LINTORA_MYSQL_SOCKET=$dir/mysqld.sock LINTORA_MYSQL_TLS=$mode"
}

stop() {
  local dir="$1"
  [ -f "$dir/mysqld.pid" ] || return 0
  local pid
  pid=$(cat "$dir/mysqld.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

case "${1:-}" in
  start) start "${2:?DIR}" ;;
  stop) stop "${2:?DIR}" ;;
  run)
    shift
    dir=$(mktemp -d "${TMPDIR:-/tmp}/lintora-mariadb.XXXXXX")
    trap 'stop "$dir"; rm -rf "$dir"' EXIT
    # A server that cannot start stops here, with its own message, before CMD runs.
    environment=$(start "$dir") || { echo "mariadb-server: no server, so '$*' was not run" >&2; exit 1; }
    eval "$environment"
    "$@"
    ;;
  *) echo "usage: mariadb-server.sh start DIR | stop DIR | run CMD..." >&2; exit 2 ;;
esac
