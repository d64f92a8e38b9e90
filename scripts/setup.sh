#!/usr/bin/env bash
# Takes a Debian 12 machine to one that builds and tests Lintora. Idempotent: when everything is
# there it only checks, in about a second. Run as root (or with sudo available).
#
#   setup.sh                      install what is missing, then prepare the rest
#   setup.sh --check [PACKAGE..]  only say which packages would be installed (of the project's
#                                 list, or of the ones named) and exit 0; changes nothing
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

packages=(
  cmake ninja-build git ca-certificates file xz-utils dpkg-dev pkg-config patch
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686
  wine wine64 xvfb xauth x11-utils imagemagick fonts-arphic-uming locales
  mariadb-server mariadb-client
  clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev liblz4-dev opencc libopencc-dev libc-bin python3 openssl time
)
# The product is a 32-bit program: where this kernel runs 32-bit programs, Wine's 32-bit half
# runs it and its tests.
runs_32bit=false
if "$here/can-run-32bit.sh"; then
  runs_32bit=true
  packages+=(wine32:i386)
fi

log="${TMPDIR:-/tmp}/lintora-setup.log"
source "$here/steps.sh"
steps_begin setup "$log"

# Every installed package, as NAME:ARCH and, for this machine's own architecture or "all", as
# NAME too. dpkg-query lists them all, so a package unknown to dpkg cannot make it fail.
installed_packages() {
  local native
  native=$(dpkg --print-architecture)
  dpkg-query -W -f='${Package} ${Architecture} ${db:Status-Status}\n' |
    awk -v native="$native" '$3 == "installed" {
      print $1 ":" $2
      if ($2 == native || $2 == "all") print $1 }'
}

# The packages named that are not installed, one a line. Needs $installed.
missing_packages() {
  local p
  for p in "$@"; do
    grep -qxF "$p" <<<"$installed" || echo "$p"
  done
}

if [ "${1:-}" = "--check" ]; then
  shift
  [ "$#" -gt 0 ] || set -- "${packages[@]}"
  step "checking the installed packages" "dpkg-query could not list the installed packages."
  installed=$(installed_packages)
  mapfile -t missing < <(missing_packages "$@")
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: would install ${#missing[@]} packages: ${missing[*]}"
  else
    echo "setup: nothing to install"
  fi
  exit 0
fi

step "checking the installed packages" "dpkg-query could not list the installed packages."
installed=$(installed_packages)
mapfile -t missing < <(missing_packages "${packages[@]}")
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if $runs_32bit && ! dpkg --print-foreign-architectures | grep -qx i386; then
    step "adding the i386 architecture" "run 'dpkg --add-architecture i386' as root."
    echo "setup: adding the i386 architecture (32-bit Wine)"
    "${sudo_cmd[@]}" dpkg --add-architecture i386 >>"$log" 2>&1
  fi
  step "reading the package lists (apt-get update)" \
       "check the machine's apt sources and network, then run this script again."
  echo "setup: installing ${#missing[@]} packages (first run, a few minutes)…"
  "${sudo_cmd[@]}" apt-get update -q >>"$log" 2>&1
  step "installing ${missing[*]}" \
       "the packages above must install; apt-get's own message says why they did not."
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >>"$log" 2>&1
  installed=$(installed_packages)
  still=$(missing_packages "${missing[@]}")
  if [ -n "$still" ]; then
    step_now="installing packages"
    echo "setup: apt-get finished, but these are still not installed: $still" >&2
    false
  fi
fi

# The Chinese locales the program is tested in (Wine takes its code page from them).
if ! locale -a 2>/dev/null | grep -qx 'zh_TW.utf8' || ! locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
  step "generating the zh_TW and zh_CN locales" "locale-gen (package locales) must be able to run."
  echo "setup: generating the zh_TW.UTF-8 and zh_CN.UTF-8 locales"
  for l in "zh_TW.UTF-8 UTF-8" "zh_CN.UTF-8 UTF-8"; do
    grep -qx "$l" /etc/locale.gen 2>/dev/null || echo "$l" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >>"$log" 2>&1
fi

# A server started by the tests must not be running from the package's own service.
if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet mariadb 2>/dev/null; then
  step "stopping the mariadb service" "stop the mariadb service by hand."
  "${sudo_cmd[@]}" systemctl stop mariadb >>"$log" 2>&1 || true
fi

# The libjpeg-turbo sources for the cross build come from Debian's source package.
step "fetching Debian's libjpeg-turbo source package" \
     "apt-get source must reach the machine's Debian mirror (its deb entries are used as deb-src)."
"$here/fetch-debian-source.sh" libjpeg-turbo "$here/../.deps/libjpeg-turbo" >>"$log" 2>&1

trap - ERR
if $runs_32bit; then
  echo "setup: ready (this kernel runs 32-bit programs: the 32-bit product is tested)"
else
  echo "setup: ready (this kernel cannot run 32-bit programs: the 64-bit build is tested instead)"
fi
