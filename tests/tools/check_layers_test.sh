#!/bin/bash
# The layer check: the project's own tree passes, and every kind of include against the layers
# is caught in a small tree made for the purpose.
set -euo pipefail
check=$1
source_root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$check" "$source_root" >/dev/null || fail "the project's tree breaks its layers"

# A tree whose includes all point down.
make_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"/{framework/win32,controls/win32,components,i18n,dbengine,app/win32}
  cd "$work/tree"
  echo '#pragma once' > framework/Base.h
  echo '#pragma once' > framework/win32/Wrapper.h
  printf '#include <string>\n#include "framework/Base.h"\n' > controls/Control.h
  printf '#include <windows.h>\n#include "framework/win32/Wrapper.h"\n#include "controls/Control.h"\n' \
    > controls/win32/Window.cpp
  printf '#include "framework/Base.h"\n' > components/Part.h
  printf '#include "framework/Base.h"\n' > i18n/Text.h
  printf '#include "framework/Base.h"\n' > dbengine/Engine.h
  printf '#include "components/Part.h"\n#include "dbengine/Engine.h"\n' > app/Fields.h
  printf '#include <windows.h>\n#include "controls/Control.h"\n#include "app/Fields.h"\n' \
    > app/win32/Main.cpp
}

expect_refused() {
  local what=$1
  if "$check" "$work/tree" 2> "$work/err" >/dev/null; then fail "not caught: $what"; fi
  grep -q . "$work/err" || fail "no message for: $what"
}

make_tree
"$check" "$work/tree" >/dev/null || fail "a sound tree was refused: $(cat "$work/err" 2>/dev/null)"

make_tree; printf '#include "controls/Control.h"\n' >> framework/Base.h
expect_refused "framework including controls"
make_tree; printf '#include "app/Fields.h"\n' >> dbengine/Engine.h
expect_refused "dbengine including app"
make_tree; printf '#include "components/Part.h"\n' >> i18n/Text.h
expect_refused "i18n including components"
make_tree; printf '#include "dbengine/Engine.h"\n' >> controls/win32/Window.cpp
expect_refused "controls including dbengine"
make_tree; printf '#include <Windows.h>\n' >> components/Part.h
expect_refused "a portable file including windows.h"
make_tree; printf '#include <winsock2.h>\n' >> app/Fields.h
expect_refused "a portable app file including winsock2.h"
make_tree; printf '#include <shlobj.h>\n' >> dbengine/Engine.h
expect_refused "a portable file including shlobj.h"
make_tree; printf '#include "framework/win32/Wrapper.h"\n' >> controls/Control.h
expect_refused "a portable file including a win32/ header"
grep -q "controls/Control.h:3" "$work/err" || fail "the message names no place: $(cat "$work/err")"
echo "check-layers: all checks passed"
