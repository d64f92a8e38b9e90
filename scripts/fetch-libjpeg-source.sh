#!/usr/bin/env bash
# Unpacks Debian's libjpeg-turbo source package into .deps/ (once). The source entries are made
# from the machine's own apt configuration: every "deb" entry gets a "deb-src" twin in a private
# apt state folder, so the system's own apt lists stay as they are.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dest="$root/.deps/libjpeg-turbo"
if [ -f "$dest/CMakeLists.txt" ]; then
  exit 0
fi
work="$root/.deps/apt-src"
rm -rf "$work" && mkdir -p "$work/lists/partial" "$work/sources.list.d" "$work/download"

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
apt-get "${apt_opts[@]}" update -q >/dev/null
(cd "$work/download" && apt-get "${apt_opts[@]}" source -q libjpeg-turbo >/dev/null)
src=$(find "$work/download" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$src" ] || { echo "fetch-libjpeg-source: no source tree unpacked" >&2; exit 1; }
rm -rf "$dest"
mv "$src" "$dest"
rm -rf "$work"
echo "libjpeg-turbo source: $dest"
