# The dialog reads the same on a system of any code page: under an English (1252), a Japanese
# (932) and a Traditional-Chinese (950) locale every text of the dialog, read through the wide
# window functions, is the Unicode of what the Traditional-Chinese system has always shown, and
# the dialog looks the same (screenshots within a small tolerance of the Traditional-Chinese one).
# On the English system the delete question, the error box and the result page read correctly
# too. PNGs go to LINTORA_SCREENSHOT_DIR when it is set.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
shots="${LINTORA_SCREENSHOT_DIR:-$SCRATCH/shots}"
mkdir -p "$shots"
settings='HKEY_CURRENT_USER\Software\Lintora'
exe=$(program_copy)
reg_delete_key "$settings"

# Every child window of the dialog without its handle: ID CLASS LEFT TOP WIDTH HEIGHT VISIBLE TEXT.
listing() { wintool "$@" list TLintoraForm | tr -d '\r' | cut -d' ' -f2-; }
on() { LINTORA_LC_ALL="$1" "${@:2}"; }
# Pixels of two pictures that differ by more than a little in colour.
differing_pixels() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

# Starts the dialog under LOCALE for the data source lt_probe, keeps what it shows in NAME.txt
# (read wide, UTF-8) and NAME.png, asks the delete question (answered 否) and closes it.
show_dialog() {
  local locale="$1" name="$2" size program
  on "$locale" "$LINTORA_WINE" "$exe" lt_probe &
  program=$!
  wintool wait TLintoraForm 30 || fail "the dialog did not appear under $locale"
  sleep 1
  listing -u >"$SCRATCH/$name.txt"
  wintool -u title TLintoraForm | tr -d '\r' >>"$SCRATCH/$name.txt"
  size=$(window_screenshot TLintoraForm rect "$shots/$name.png")
  [ "$size" = "388x393" ] || fail "the client area under $locale is $size"
  if [ "$locale" = zh_TW.UTF-8 ]; then
    # What the program has always shown there, read in the system's code page.
    { listing | iconv -f BIG5 -t UTF-8; wintool title TLintoraForm | tr -d '\r' |
      iconv -f BIG5 -t UTF-8; } >"$SCRATCH/$name.ansi.txt"
  fi
  confirm_delete_wide '確定要刪除?' 7  # 否(&N)
  wintool close TLintoraForm
  wait_exit "$program" || fail "exit code $? after closing the dialog under $locale"
}
confirm_delete_wide() {
  local delete_button
  delete_button=$(control_id TLintoraForm 268 68 button)
  [ -n "$delete_button" ] || fail "no delete button"
  wintool click TLintoraForm "$delete_button" || fail "could not press the delete button"
  wintool wait TMessageForm 30 || fail "no confirmation box"
  wintool -u list TMessageForm | tr -d '\r' >"$SCRATCH/question.txt"
  grep -qF "$1" "$SCRATCH/question.txt" || fail "the confirmation box does not ask $1"
  grep -qF '是(&Y)' "$SCRATCH/question.txt" && grep -qF '否(&N)' "$SCRATCH/question.txt" ||
    fail "the confirmation box's buttons read: $(cat "$SCRATCH/question.txt")"
  [ "$(wintool -u title TMessageForm | tr -d '\r')" = '確認' ] || fail "the confirmation's caption"
  wintool click TMessageForm "$2" || fail "could not answer the confirmation box"
  wintool gone TMessageForm 30 || fail "the confirmation box stayed"
}

show_dialog zh_TW.UTF-8 traditional
grep -qF '安裝MySQL連結' "$SCRATCH/traditional.txt" || fail "no caption in $(cat "$SCRATCH/traditional.txt")"
diff "$SCRATCH/traditional.ansi.txt" "$SCRATCH/traditional.txt" ||
  fail "the wide texts differ from what the Traditional-Chinese system shows"
for locale in en_US ja_JP; do
  show_dialog "$locale.UTF-8" "$locale"
  diff "$SCRATCH/traditional.txt" "$SCRATCH/$locale.txt" || fail "the texts under $locale differ"
  pixels=$(differing_pixels "$shots/traditional.png" "$shots/$locale.png")
  awk -v p="$pixels" 'BEGIN { exit !(p != "" && p + 0 < 400) }' ||
    fail "the dialog under $locale looks different: $pixels pixels"
  echo "$locale: the same texts; $pixels pixels differ from the Traditional-Chinese dialog"
done

echo "== the error box on an English system"
"$LINTORA_WINE" reg add "$settings" /v DBTYPE /t REG_DWORD /d 5 /f >/dev/null
on en_US.UTF-8 "$LINTORA_WINE" "$exe" &
program=$!
wintool wait TMessageForm 30 || fail "the error box did not appear"
sleep 1
window_screenshot TMessageForm outer "$shots/error-box.en_US.png" >/dev/null
wintool -u list TMessageForm | tr -d '\r' >"$SCRATCH/error.txt"
grep -qF "Invalid data type for 'DBTYPE'" "$SCRATCH/error.txt" || fail "the error box: $(cat "$SCRATCH/error.txt")"
grep -qF '確認' "$SCRATCH/error.txt" || fail "the error box's button: $(cat "$SCRATCH/error.txt")"
[ "$(wintool -u title TMessageForm | tr -d '\r')" = '安裝MySQL連結' ] || fail "the error box's caption"
wintool click TMessageForm 1 || fail "no OK button in the error box"
wintool wait TLintoraForm 30 || fail "the dialog did not open after the error"
wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after the error box"
reg_delete_key "$settings"

echo "== the result page on an English system"
on en_US.UTF-8 env LINTORA_HOLD_DIALOG=1 "$LINTORA_WINE" "$LINTORA_BUILD_DIR/tests/unit_app_win32.exe" \
  --gtest_filter='Dialog.ResultPageOnScreen' >"$SCRATCH/result-page.log" 2>&1 &
program=$!
wintool wait TLintoraForm 30 || fail "the result page did not appear"
sleep 1
window_screenshot TLintoraForm rect "$shots/result-page.en_US.png" >/dev/null
for text in '資料庫名稱安裝完成' '請按關閉按鈕結束' '連結到MySQL成功!' '關閉'; do
  listing -u | grep -qF " 1 $text" || fail "the result page does not show $text: $(listing -u)"
done
wintool close TLintoraForm
wait_exit "$program" || { cat "$SCRATCH/result-page.log"; fail "the result page test failed"; }
echo "the dialog, its boxes and its result page read the same on every system"
