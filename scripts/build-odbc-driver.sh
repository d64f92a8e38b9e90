#!/usr/bin/env bash
# Cross-builds the ODBC driver the program carries, MariaDB Connector/ODBC on a static
# Connector/C, for the architecture of a mingw-w64 toolchain file:
#   build-odbc-driver.sh ODBC_TARBALL MARIADB_TARBALL TOOLCHAIN_FILE C_COMPILER OUT_DIR
# (the tarballs as scripts/odbc-driver-sources.sh gives them). OUT_DIR receives maodbc.dll (the
# driver), maodbcs.dll (its setup library), ODBC-DRIVER-LICENSE.txt and ODBC-DRIVER-SOURCE.txt.
# The sources are unpacked afresh into OUT_DIR/work and patched with odbcdriver/patches/*.patch,
# in name order. Each result is kept in LINTORA_CACHE_DIR/odbc-driver (default
# ~/.cache/lintora), under a key made of the sources, the patches, this script and the compiler,
# so an unchanged driver is built once per machine and architecture.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
usage="usage: build-odbc-driver.sh ODBC_TARBALL MARIADB_TARBALL TOOLCHAIN_FILE C_COMPILER OUT_DIR"
odbc_tarball="${1:?$usage}"
mariadb_tarball="${2:?$usage}"
toolchain="${3:?$usage}"
cc="${4:?$usage}"
out="${5:?$usage}"
cache="${LINTORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/lintora}/odbc-driver"
jobs="${LINTORA_JOBS:-2}"
driver_dir="$root/odbcdriver"
products=(maodbc.dll maodbcs.dll ODBC-DRIVER-LICENSE.txt ODBC-DRIVER-SOURCE.txt)
# What the driver may import: Windows' own libraries (from Windows 7 on), no compiler runtime.
system_dlls="advapi32 bcrypt comctl32 comdlg32 crypt32 gdi32 kernel32 msvcrt odbc32 odbccp32 ole32
             secur32 shell32 shlwapi user32 version ws2_32"

mkdir -p "$out"
out="$(cd "$out" && pwd)"
log="$out/build.log"
source "$root/scripts/steps.sh"
steps_begin build-odbc-driver "$log"
# Each step says what it does; the tools' output goes to the log, shown when the step fails.
stage() {
  step "$1"
  echo "build-odbc-driver: $1"
}

# The compiler names its target, e.g. i686-w64-mingw32; its tools carry the same prefix.
target=$("$cc" -dumpmachine) || { echo "build-odbc-driver: $cc does not run" >&2; exit 2; }
arch="${target%%-*}"
tools="${cc%%-gcc*}"

stage "computing the cache key ($arch)"
odbc_sha=$(sha256sum "$odbc_tarball" | cut -d' ' -f1)
mariadb_sha=$(sha256sum "$mariadb_tarball" | cut -d' ' -f1)
key=$({ echo "$odbc_sha $mariadb_sha"
        find "$driver_dir" -type f | LC_ALL=C sort | xargs cat
        cat "${BASH_SOURCE[0]}" "$toolchain" "$(dirname "$toolchain")"/mingw-w64*.cmake
        "$cc" --version; } 2>>"$log" | sha256sum | cut -c1-16)
cached="$cache/$arch-$key"

if [ -f "$cached/done" ]; then
  stage "taking the driver built before from $cached"
  for f in "${products[@]}"; do cp "$cached/$f" "$out/$f"; done
  exit 0
fi

work="$out/work"
rm -rf "$work"
mkdir -p "$work"
stage "unpacking $(basename "$odbc_tarball")"
tar -xzf "$odbc_tarball" -C "$work" >>"$log" 2>&1
src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'mariadb-connector-odbc-*' | head -n 1)
[ -n "$src" ] || { echo "no mariadb-connector-odbc-* folder in $odbc_tarball" >>"$log"; false; }

# The upstream archive's top folder is named after its version: mariadb_X.orig.tar.gz holds
# mariadb-X/.
mariadb_top="$(basename "$mariadb_tarball")"
mariadb_top="mariadb-${mariadb_top#mariadb_}"
mariadb_top="${mariadb_top%.orig.tar.*}"
stage "unpacking Connector/C ($mariadb_top/libmariadb of $(basename "$mariadb_tarball"))"
tar -xzf "$mariadb_tarball" -C "$work" "$mariadb_top/libmariadb" >>"$log" 2>&1
rm -rf "$src/libmariadb"
mv "$work/$mariadb_top/libmariadb" "$src/libmariadb"

for patch in "$driver_dir"/patches/*.patch; do
  stage "applying $(basename "$patch"): $(head -n 1 "$patch")"
  patch -d "$src" -p1 --forward --no-backup-if-mismatch <"$patch" >>"$log" 2>&1
done

# _WIN32_WINNT keeps the driver to what Windows 7 offers, as the program itself is; the connector
# includes some Windows headers with capitals, which odbcdriver/include forwards. The libraries
# need no compiler runtime DLL, and are stripped by the linker, which (unlike strip) can leave
# the time stamp out; with the work folder's path mapped away too, the same sources give the
# same bytes wherever they are built.
stage "configuring the driver build"
cflags="-I$driver_dir/include -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -ffile-prefix-map=$work=."
cmake -G Ninja -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_C_FLAGS="$cflags" \
  -DCMAKE_RC_FLAGS="-I$driver_dir/include" \
  -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc -static -s -Wl,--no-insert-timestamp" \
  -DWITH_UNIT_TESTS=OFF -DWITH_MSI=OFF >>"$log" 2>&1

stage "building maodbc.dll and maodbcs.dll ($jobs jobs)"
cmake --build "$work/build" -j "$jobs" --target maodbc maodbcs >>"$log" 2>&1

stage "copying the libraries into $out"
for name in maodbc maodbcs; do
  built=$(find "$work/build" -maxdepth 1 \( -name "$name.dll" -o -name "lib$name.dll" \) |
          head -n 1)
  [ -n "$built" ] || { echo "the build made no $name.dll" >>"$log"; false; }
  cp "$built" "$out/$name.dll"
done

stage "checking that the libraries import only Windows' own DLLs"
for name in maodbc maodbcs; do
  while read -r dll; do
    if ! grep -qw "$(tr 'A-Z' 'a-z' <<<"${dll%.*}")" <<<"$system_dlls"; then
      echo "$name.dll imports $dll, which Windows does not have (from Windows 7 on)" >>"$log"
      false
    fi
  done < <("$tools-objdump" -p "$out/$name.dll" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

stage "checking the entry points the driver manager calls"
# Succeeds when the library exports every entry point named.
exports() {
  local name="$1" names entry
  shift
  names=$("$tools-objdump" -p "$out/$name" |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] \([A-Za-z_0-9]*\)$/\1/p')
  for entry in "$@"; do
    grep -qx "$entry" <<<"$names" || { echo "$name does not export $entry" >>"$log"; return 1; }
  done
}
exports maodbc.dll SQLAllocHandle SQLDriverConnect SQLDriverConnectW SQLExecDirect SQLGetDiagRec
exports maodbcs.dll ConfigDSN

stage "writing the licence and the source offer"
version_part() {
  sed -n "s/^SET(CPACK_PACKAGE_VERSION_$1 \\([0-9]*\\))/\\1/p" "$src/libmariadb/CMakeLists.txt"
}
conc_version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"
odbc_version="${src##*/mariadb-connector-odbc-}"
patch_list=$(for patch in "$driver_dir"/patches/*.patch; do
               printf '  %s\n    %s\n' "$(basename "$patch")" "$(head -n 1 "$patch")"
             done)
sed 's/$/\r/' "$src/COPYING" >"$out/ODBC-DRIVER-LICENSE.txt"
awk -v odbc_version="$odbc_version" -v conc_version="$conc_version" \
    -v odbc_tarball="$(basename "$odbc_tarball")" -v odbc_sha="$odbc_sha" \
    -v mariadb_tarball="$(basename "$mariadb_tarball")" -v mariadb_sha="$mariadb_sha" \
    -v patches="$patch_list" '
  $0 == "@PATCHES@" { print patches; next }
  { gsub(/@ODBC_VERSION@/, odbc_version); gsub(/@CONC_VERSION@/, conc_version)
    gsub(/@ODBC_TARBALL@/, odbc_tarball); gsub(/@ODBC_SHA256@/, odbc_sha)
    gsub(/@MARIADB_TARBALL@/, mariadb_tarball); gsub(/@MARIADB_SHA256@/, mariadb_sha)
    print }' "$driver_dir/SOURCE-OFFER.txt.in" | sed 's/$/\r/' >"$out/ODBC-DRIVER-SOURCE.txt"

stage "keeping the result in $cached"
rm -rf "$cached.part"
mkdir -p "$cached.part"
for f in "${products[@]}"; do cp "$out/$f" "$cached.part/$f"; done
touch "$cached.part/done"
rm -rf "$cached"
mv "$cached.part" "$cached"
rm -rf "$work"
stage "done: $(stat -c '%n %s bytes' "$out/maodbc.dll" "$out/maodbcs.dll" | tr '\n' ' ')"
