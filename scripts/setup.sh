#!/usr/bin/env bash
# Takes a Debian 12 machine to one that builds and tests Lintora. Idempotent: when every package
# is there it only checks, in about a second. Run as root (or with sudo available).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

packages=(
  cmake ninja-build git ca-certificates file xz-utils dpkg-dev pkg-config
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xauth x11-utils imagemagick fonts-arphic-uming locales
  mariadb-server mariadb-client
  clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev liblz4-dev opencc libopencc-dev libc-bin python3 openssl
)

installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
            awk '$NF == "installed" { print $1 }')
missing=()
for p in "${packages[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The Chinese locales the program is tested in (Wine takes its code page from them).
if ! locale -a 2>/dev/null | grep -qx 'zh_TW.utf8' || ! locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
  for l in "zh_TW.UTF-8 UTF-8" "zh_CN.UTF-8 UTF-8"; do
    grep -qx "$l" /etc/locale.gen 2>/dev/null || echo "$l" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

# A server started by the tests must not be running from the package's own service.
if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet mariadb 2>/dev/null; then
  "${sudo_cmd[@]}" systemctl stop mariadb || true
fi

# The libjpeg-turbo sources for the cross build come from Debian's source package.
"$here/fetch-libjpeg-source.sh"
echo "setup: ready"
