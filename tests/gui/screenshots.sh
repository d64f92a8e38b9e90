# PNGs of the input page, the result page and the error box, each checked to be painted (not one
# flat colour) and of the window's size; the dialog's client area must be 388 x 393. The pictures
# go to LINTORA_SCREENSHOT_DIR when it is set (nothing generated is kept in the repository).
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
shots="${LINTORA_SCREENSHOT_DIR:-$SCRATCH/shots}"
mkdir -p "$shots"
settings='HKEY_CURRENT_USER\Software\Lintora'
exe=$(program_copy)

# Takes the dialog's client area into NAME.png once it is up, then closes it; the program
# (process $program) must end successfully.
shoot_dialog() {
  local name="$1" size
  wintool wait TLintoraForm 30 || fail "the dialog for $name did not appear"
  sleep 1
  size=$(window_screenshot TLintoraForm rect "$shots/$name.png")
  [ "$size" = "388x393" ] || fail "the client area of $name is $size"
  wintool close TLintoraForm
  wait_exit "$program" || fail "exit code $? after closing $name"
}

# Input page: the dialog as a first start shows it.
reg_delete_key "$settings"
"$LINTORA_WINE" "$exe" &
program=$!
shoot_dialog input-page

# Error box: a settings value that is no string fails the start-up; the box shows the message,
# and once it is answered the dialog still opens.
"$LINTORA_WINE" reg add "$settings" /v DBTYPE /t REG_DWORD /d 5 /f >/dev/null
"$LINTORA_WINE" "$exe" &
program=$!
wintool wait TMessageForm 30 || fail "the error box did not appear"
sleep 1
window_screenshot TMessageForm outer "$shots/error-box.png" >/dev/null
wintool list TMessageForm | tr -d '\r' | grep -q "Invalid data type for 'DBTYPE'" ||
  fail "the error box does not show the registry message"
wintool click TMessageForm 1 || fail "no OK button in the error box"
shoot_dialog input-page-after-error
reg_delete_key "$settings"

# Result page: shown by the in-process test program, held open until it is closed from here.
LINTORA_HOLD_DIALOG=1 "$LINTORA_WINE" "$LINTORA_BUILD_DIR/tests/unit_app_win32.exe" \
  --gtest_filter='Dialog.ResultPageOnScreen' >"$SCRATCH/result-page.log" 2>&1 &
program=$!
shoot_dialog result-page
grep -q "1 test.*PASSED\|PASSED.*1 test" "$SCRATCH/result-page.log" ||
  { cat "$SCRATCH/result-page.log"; fail "the result page test did not pass"; }
echo "screenshots of both pages and the error box: $(ls "$shots" | tr '\n' ' ')"
