#!/usr/bin/env bash
# The two source tarballs the ODBC driver is built from, checked and kept in a download cache:
#   odbc-driver-sources.sh CACHE_DIR
# prints the path of MariaDB Connector/ODBC's tarball, then that of the MariaDB tarball whose
# libmariadb/ folder is Connector/C, one a line. Both come from Debian's source packages
# (mariadb-connector-odbc and mariadb), through scripts/fetch-debian-source.sh. Where the archive
# serves a package's .dsc but not its tarball, the Connector/ODBC tarball is taken from
# LINTORA_ODBC_SOURCE (the file, or a folder holding it under its Debian name; by default
# ../shared/third_party beside the repository). Every tarball is checked against the SHA-256
# that its .dsc lists before it is used, and kept in CACHE_DIR/sources with its .dsc, so that
# later builds do not download again.
# On failure the last line on stderr says in one line why there are no sources.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cache="${1:?usage: odbc-driver-sources.sh CACHE_DIR}/sources"
odbc_copy="${LINTORA_ODBC_SOURCE:-$here/../../shared/third_party}"
mkdir -p "$cache"

fail() { echo "odbc-driver-sources: $*" >&2; exit 1; }

# The upstream tarball a .dsc lists and its SHA-256, as "NAME SHA256".
dsc_tarball() {
  awk '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 }
       on && $3 ~ /\.orig\.tar\./ && $3 !~ /\.asc$/ { print $3, $1; exit }' "$1"
}

# Succeeds when FILE's SHA-256 is SUM.
sha256_is() { [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$2" ]; }

# The path of a cached tarball of PACKAGE that matches its .dsc, the newest version first; nothing
# when there is none.
cached_tarball() {
  local package="$1" dsc name sum
  while read -r dsc; do
    read -r name sum < <(dsc_tarball "$dsc") || continue
    if [ -f "$cache/$name" ] && sha256_is "$cache/$name" "$sum"; then
      echo "$cache/$name"
      return
    fi
  done < <(find "$cache" -maxdepth 1 -name "${package}_*.dsc" | sort -V -r)
}

# Downloads PACKAGE into the cache: the .dsc, and the tarball when the archive serves it.
download() {
  local package="$1" work="$cache/download-$package"
  rm -rf "$work"
  local status=0
  "$here/fetch-debian-source.sh" --download "$package" "$work" >&2 || status=$?
  find "$work" -maxdepth 1 -type f \( -name '*.dsc' -o -name '*.orig.tar.*' \) ! -name '*.asc' \
    -exec mv -f {} "$cache/" \;
  rm -rf "$work"
  return "$status"
}

# The Connector/ODBC tarball named NAME with SHA-256 SUM, copied from LINTORA_ODBC_SOURCE.
copy_odbc_tarball() {
  local name="$1" sum="$2" copy="$odbc_copy"
  [ -d "$copy" ] && copy="$copy/$name"
  [ -f "$copy" ] ||
    fail "the archive does not serve $name and LINTORA_ODBC_SOURCE has no copy ($copy)"
  sha256_is "$copy" "$sum" || fail "$copy is not the $name that the .dsc lists (SHA-256 differs)"
  cp "$copy" "$cache/$name.part" && mv "$cache/$name.part" "$cache/$name"
}

# Prints the checked tarball of PACKAGE, downloading it first when the cache has none.
tarball() {
  local package="$1" found dsc name sum
  found=$(cached_tarball "$package")
  if [ -z "$found" ]; then
    echo "odbc-driver-sources: fetching $package" >&2
    download "$package" ||
      echo "odbc-driver-sources: the archive served $package only in part" >&2
    found=$(cached_tarball "$package")
  fi
  if [ -z "$found" ] && [ "$package" = mariadb-connector-odbc ]; then
    dsc=$(find "$cache" -maxdepth 1 -name "${package}_*.dsc" | sort -V -r | head -n 1)
    [ -n "$dsc" ] || fail "the archive serves no .dsc of $package to check a copy against"
    read -r name sum < <(dsc_tarball "$dsc") || fail "$dsc lists no upstream tarball"
    echo "odbc-driver-sources: taking $name from $odbc_copy" >&2
    copy_odbc_tarball "$name" "$sum"
    found="$cache/$name"
  fi
  [ -n "$found" ] || fail "no tarball of $package that matches its .dsc (see the messages above)"
  echo "$found"
}

tarball mariadb-connector-odbc
tarball mariadb
