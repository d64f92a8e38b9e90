#!/usr/bin/env bash
# The engine's full caching_sha2_password authentication against a server of the test's own that
# offers TLS (tls_password_server.py): the password travels inside TLS, never in clear on the
# socket. The server's exit code is the verdict.
set -euo pipefail
program="${1:?usage: password_inside_tls.sh unit_dbengine_win32.exe}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work=$(mktemp -d "${TMPDIR:-/tmp}/lintora-tls-password.XXXXXX")
server=
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
  -keyout "$work/key.pem" -out "$work/cert.pem" >"$work/openssl.log" 2>&1 ||
  { cat "$work/openssl.log"; echo "FAIL: openssl could not make the certificate"; exit 1; }
password='Tls-only-4711'
python3 "$here/tls_password_server.py" "$work/port" "$work/cert.pem" "$work/key.pem" \
  "$password" &
server=$!
for _ in $(seq 1 100); do [ -s "$work/port" ] && break; sleep 0.1; done
[ -s "$work/port" ] || { echo "FAIL: the server of the test did not start"; exit 1; }
LINTORA_FAKE_TLS_PORT=$(cat "$work/port") LINTORA_FAKE_TLS_PASSWORD="$password" \
  "$here/../../../scripts/wine-run.sh" "$program" --gtest_filter='PasswordInsideTls.*'
wait "$server"
