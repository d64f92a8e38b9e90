# The driver test against a throwaway server of its own that refuses connections without TLS.
LINTORA_MYSQL_TLS=required exec "$LINTORA_SOURCE_DIR/scripts/mariadb-server.sh" run \
  bash "$(dirname "${BASH_SOURCE[0]}")/data_sources.sh"
