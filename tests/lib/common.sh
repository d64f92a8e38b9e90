# Shared helpers for the scenario scripts under tests/integration and tests/gui. ctest sets
# LINTORA_EXE, LINTORA_WINE (the Wine wrapper), LINTORA_WINTOOL and LINTORA_WINEPREFIX.
set -euo pipefail
: "${LINTORA_EXE:?run through ctest}" "${LINTORA_WINE:?}" "${LINTORA_WINEPREFIX:?}"

# Windows need an X server: without one, run this very script again under Xvfb.
if [ -z "${DISPLAY:-}" ] && [ -z "${LINTORA_IN_XVFB:-}" ]; then
  export LINTORA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

fail() {
  failure_told=yes
  echo "FAIL: $*" >&2
  exit 1
}
# A command that fails outside a test of its status ends the scenario (set -e) without a word of
# its own (a Wine program's output sent to /dev/null, a helper's nonzero return): the last such
# command is kept, and the end of the scenario names it, so that no failure is silent.
failure_told=
failed_command=
set -o errtrace
trap 'failed_command="\"$BASH_COMMAND\" (exit code $?) at line $LINENO of ${BASH_SOURCE[0]##*/}"' ERR
# A Wine helper program (reg, winepath, cmd, wintool) run to its end, but for 120 s at most: one
# that hangs fails the scenario naming it, instead of running on until ctest ends the scenario
# without a word. Its exit code is returned otherwise. --quiet discards what the program says
# (but not that it hung).
wine_call() {
  local code=0
  if [ "$1" = --quiet ]; then
    shift
    timeout -k 5 120 "$LINTORA_WINE" "$@" >/dev/null 2>&1 || code=$?
  else
    timeout -k 5 120 "$LINTORA_WINE" "$@" || code=$?
  fi
  if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then
    fail "$(basename "$1") ${2:-} did not end within 120 s"
  fi
  return "$code"
}
wintool() { wine_call "$LINTORA_WINTOOL" "$@"; }

# A PNG of the whole X screen; fails when the picture is one flat colour.
screenshot() {
  local file="$1"
  import -window root "$file"
  local deviation
  deviation=$(convert "$file" -format '%[fx:standard_deviation]' info:)
  awk -v d="$deviation" 'BEGIN { exit !(d > 0.01) }' || fail "screenshot $file is blank"
}

# Every scenario gets a scratch folder of its own, removed when it ends. A program it started in
# the background and left running (a failed wait ended the scenario early) is ended too, so it
# cannot hold the test's output open.
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/lintora-test.XXXXXX")
# A scenario that puts things back on its own first passes the exit code it had kept.
end_scenario() {
  local code=${1:-$?} leftover
  if [ "$code" -ne 0 ] && [ "$code" -ne 77 ] && [ -z "$failure_told" ]; then
    echo "FAIL: the scenario stopped with exit code $code${failed_command:+ after $failed_command}" >&2
  fi
  leftover=$(jobs -p)
  [ -z "$leftover" ] || kill $leftover 2>/dev/null || true
  rm -rf "$SCRATCH"
}
trap end_scenario EXIT

# A copy of the program in a folder of its own, so that no settings file (program name with
# ".Ini") of another scenario lies beside it. Prints the copy's path.
program_copy() {
  local folder="$SCRATCH/program"
  mkdir -p "$folder"
  cp "$LINTORA_EXE" "$folder/Lintora.exe"
  echo "$folder/Lintora.exe"
}

# The text of the dialog control whose top-left corner stands at LEFT TOP of the dialog's client
# area, converted from the program's Big5 to UTF-8; control_text_in CHARSET ... converts from
# another character set (GB2312 on a Simplified-Chinese system).
control_text_in() {
  local charset="$1" window="$2" left="$3" top="$4"
  wintool list "$window" | tr -d '\r' |
    awk -v l="$left" -v t="$top" '$4 == l && $5 == t {
      for (i = 0; i < 8; i++) sub(/^[^ ]* /, "")
      print; exit }' |
    iconv -f "$charset" -t UTF-8
}
control_text() { control_text_in BIG5 "$@"; }
# The window handle of that control.
control_handle() {
  local window="$1" left="$2" top="$3"
  wintool list "$window" | tr -d '\r' | awk -v l="$left" -v t="$top" '$4 == l && $5 == t {
    print $1; exit }'
}
# The control ID of the control of that class (ASCII case ignored) at LEFT TOP, for wintool click.
control_id() {
  local window="$1" left="$2" top="$3" class="$4"
  wintool list "$window" | tr -d '\r' |
    awk -v l="$left" -v t="$top" -v c="$class" '$4 == l && $5 == t && tolower($3) == c {
      print $2; exit }'
}
# Presses the dialog's delete button (beside CBox1) and answers its confirmation box, which must
# ask QUESTION (UTF-8) in CHARSET, with BUTTON: 6 是(&Y) or 7 否(&N).
#   confirm_delete CHARSET QUESTION BUTTON
confirm_delete() {
  local charset="$1" question="$2" button="$3" delete_button asked
  delete_button=$(control_id TLintoraForm 268 68 button)
  [ -n "$delete_button" ] || fail "no delete button"
  wintool click TLintoraForm "$delete_button" || fail "could not press the delete button"
  wintool wait TMessageForm 30 || fail "no confirmation box"
  asked=$(wintool list TMessageForm | tr -d '\r' | iconv -f "$charset" -t UTF-8 | grep -cF "$question" || true)
  [ "$asked" = 1 ] || fail "the confirmation box does not ask $question in $charset"
  wintool click TMessageForm "$button" || fail "could not answer the confirmation box with $button"
  wintool gone TMessageForm 30 || fail "the confirmation box stayed"
}
# The user data folder of the prefix's user (Unix path), where the language files lie.
user_data_folder() {
  local appdata
  appdata=$(wine_call cmd /c 'echo %APPDATA%' | tr -d '\r')
  unix_path "$appdata\\Lintora"
}

# The dialog's child window whose top-left corner stands at LEFT TOP of its client area, as
# "ID VISIBLE TEXT" (VISIBLE 1 when it and its page are shown); clicking it; waiting for it.
dialog_control() {
  wintool list TLintoraForm | tr -d '\r' |
    awk -v l="$1" -v t="$2" '$4 == l && $5 == t {
      text = $0
      for (i = 0; i < 8; i++) sub(/^[^ ]* /, "", text)
      print $2, $8, text; exit }'
}
click_control() {
  local id
  id=$(dialog_control "$1" "$2" | awk '{ print $1 }')
  [ -n "$id" ] || fail "no control at $1,$2"
  wintool click TLintoraForm "$id" || fail "could not click the control at $1,$2"
}
control_shown() { [ "$(dialog_control "$1" "$2" | awk '{ print $2 }')" = 1 ]; }
wait_control_shown() {
  for _ in $(seq 1 300); do
    control_shown "$1" "$2" && return 0
    sleep 0.1
  done
  fail "the control at $1,$2 was not shown within 30 s"
}
# Presses the install button (安裝, BtnStartSet) and waits for the result page (its 關閉 shown).
press_install() {
  click_control 190 330
  wait_control_shown 148 312
}

# Registry keys of the prefix, read with the system's own reg.exe.
reg_key_exists() { wine_call --quiet reg query "$1"; }
# The value lines of a key other than its unnamed default value, and its subkeys.
reg_key_entries() {
  wine_call reg query "$1" | tr -d '\r' |
    KEY="$1" awk 'NF && $0 != ENVIRON["KEY"] && !/^ +\(/' || true
}
# The Unix path of a Windows path in the prefix, and the Windows path of a Unix path.
unix_path() { wine_call winepath -u "$1" | tr -d '\r'; }
winepath_of() { wine_call winepath -w "$1" | tr -d '\r'; }
# Sets a value in the prefix's registry (REG_SZ unless TYPE is given); a refusal fails the
# scenario with reg's own words.
#   reg_set KEY NAME DATA [TYPE]
reg_set() {
  local said code=0
  said=$(wine_call reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f 2>&1) || code=$?
  [ "$code" -eq 0 ] ||
    fail "could not set $2 in $1 (reg ended with $code): $(tr -d '\r' <<<"$said")"
}
reg_delete_key() { wine_call --quiet reg delete "$1" /f || true; }

# A PNG of one window: its client area (rect) or the whole window with its frame (outer), cut
# from the X screen. Fails when the picture is one flat colour or not of the window's size.
window_screenshot() {
  local window="$1" part="$2" file="$3" left top width height size
  read -r left top width height < <(wintool "$part" "$window" | tr -d '\r') || true
  [ "${width:-0}" -gt 0 ] && [ "${height:-0}" -gt 0 ] || fail "no $part rectangle for $window"
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "$file"
  size=$(identify -format '%wx%h' "$file")
  [ "$size" = "${width}x${height}" ] || fail "screenshot $file is $size, not ${width}x${height}"
  local deviation
  deviation=$(convert "$file" -format '%[fx:standard_deviation]' info:)
  awk -v d="$deviation" 'BEGIN { exit !(d > 0.01) }' || fail "screenshot $file is blank"
  echo "$size"
}

# Waits for a program started in the background to end and returns its exit code; after SECONDS
# (30 unless given) it kills the program and fails the scenario, so a program that does not end
# is a failing test with a message, never a hang.
wait_exit() {
  local pid="$1" seconds="${2:-30}" code=0
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || code=$?
      return "$code"
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  fail "the program (process $pid) did not end within $seconds s"
}
