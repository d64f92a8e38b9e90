#!/usr/bin/env bash
# Gets a Debian source package from the machine's own Debian archive.
#   fetch-debian-source.sh PACKAGE DEST              unpacks it into DEST (once)
#   fetch-debian-source.sh --download PACKAGE DIR    downloads its files into DIR, without unpacking
# The source entries are made from the machine's own apt configuration: every "deb" entry gets a
# "deb-src" twin in a private apt state folder, so the system's own apt lists stay as they are.
# apt-get source checks the downloaded files against the package's .dsc.
#
# --download tries every version the archive lists, newest first, until one downloads whole (an
# archive may list a version whose files it no longer serves). The .dsc of a version whose other
# files fail is left in DIR, so that a copy of those files from elsewhere can be checked against
# it. Exit code 0 when a version downloaded whole, 1 when none did (apt's messages on stderr).
set -euo pipefail
download=false
if [ "${1:-}" = "--download" ]; then
  download=true
  shift
fi
package="${1:?usage: fetch-debian-source.sh [--download] PACKAGE DEST}"
dest="${2:?usage: fetch-debian-source.sh [--download] PACKAGE DEST}"
if ! $download && [ -d "$dest" ] && [ -n "$(ls -A "$dest")" ]; then
  exit 0
fi
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"
work="$(dirname "$dest")/apt-src-$package"
rm -rf "$work" && mkdir -p "$work/lists/partial" "$work/sources.list.d" "$work/download"
trap 'rm -rf "$work"' EXIT

# Twin every binary source entry as a source entry, whatever form the configuration uses.
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >> "$work/sources.list.d/src.list"
done
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$f" > "$work/sources.list.d/$(basename "$f")"
done
touch "$work/sources.list"
apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/sources.list.d"
          -o "Dir::State::Lists=$work/lists" -o "Debug::NoLocking=1")
echo "fetch-debian-source: reading the source lists for $package"
apt-get "${apt_opts[@]}" update -q

if $download; then
  mapfile -t versions < <(apt-cache "${apt_opts[@]}" showsrc --only-source "$package" |
                          sed -n 's/^Version: //p' | sort -u -V -r)
  [ "${#versions[@]}" -gt 0 ] ||
    { echo "fetch-debian-source: the archive lists no source package $package" >&2; exit 1; }
  for version in "${versions[@]}"; do
    echo "fetch-debian-source: downloading $package $version"
    if (cd "$dest" &&
        apt-get "${apt_opts[@]}" source -q --only-source --download-only "$package=$version"); then
      echo "fetch-debian-source: $package $version in $dest"
      exit 0
    fi
  done
  echo "fetch-debian-source: no version of $package downloaded whole (${versions[*]})" >&2
  exit 1
fi

echo "fetch-debian-source: downloading and unpacking $package"
(cd "$work/download" && apt-get "${apt_opts[@]}" source -q "$package")
src=$(find "$work/download" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n 1)
[ -n "$src" ] || { echo "fetch-debian-source: apt-get source unpacked no $package-* folder" >&2; exit 1; }
rm -rf "$dest"
mv "$src" "$dest"
echo "fetch-debian-source: $package source in $dest"
