#!/usr/bin/env bash
# Unpacks a Debian source package into DEST (once):  fetch-debian-source.sh PACKAGE DEST
# The source entries are made from the machine's own apt configuration: every "deb" entry gets a
# "deb-src" twin in a private apt state folder, so the system's own apt lists stay as they are.
# apt-get source checks the downloaded files against the package's .dsc.
set -euo pipefail
package="${1:?usage: fetch-debian-source.sh PACKAGE DEST}"
dest="${2:?usage: fetch-debian-source.sh PACKAGE DEST}"
if [ -d "$dest" ] && [ -n "$(ls -A "$dest")" ]; then
  exit 0
fi
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
echo "fetch-debian-source: downloading and unpacking $package"
(cd "$work/download" && apt-get "${apt_opts[@]}" source -q "$package")
src=$(find "$work/download" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n 1)
[ -n "$src" ] || { echo "fetch-debian-source: apt-get source unpacked no $package-* folder" >&2; exit 1; }
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$src" "$dest"
echo "fetch-debian-source: $package source in $dest"
