# The install button of the real program, pressed from outside against the test server: with
# "create database" ticked the database is made on the server (a backquote in the name stays part
# of the one name) and the success page shows; a data source whose database is missing shows the
# failure page with the engine's message and the back button, and after going back a second run
# shows the success page again, message and back button hidden. PNGs of both result pages go to
# LINTORA_SCREENSHOT_DIR when it is set, each checked to be painted and of the dialog's size.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
: "${LINTORA_MYSQL_PORT:?run under scripts/mariadb-server.sh}"
shots="${LINTORA_SCREENSHOT_DIR:-$SCRATCH/shots}"
mkdir -p "$shots"
settings='HKEY_CURRENT_USER\Software\Lintora'
exe=$(program_copy)

mysql_admin() {
  mariadb --no-defaults --socket="$LINTORA_MYSQL_SOCKET" -u"$LINTORA_MYSQL_USER" \
    -p"$LINTORA_MYSQL_PASSWORD" -N -e "$1" || fail "the test server refused: $1"
}
reg_delete_key "$settings"
for pair in "DbTYPE=MySQL5.3+" "User=$LINTORA_MYSQL_USER" "Port=$LINTORA_MYSQL_PORT"; do
  "$LINTORA_WINE" reg add "$settings" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
done
mysql_admin 'DROP DATABASE IF EXISTS `lt``gui`; DROP DATABASE IF EXISTS lt_gui_missing;'

# The result page's controls: Memo1 (the engine's message) and BtnPrior (上一頁).
memo_shown() { control_shown 56 220; }
back_shown() { control_shown 148 282; }
install() {
  press_install
  sleep 1
}
shoot() {
  local size
  size=$(window_screenshot TLintoraForm rect "$shots/$1.png")
  [ "$size" = "388x393" ] || fail "the client area of $1 is $size"
}

echo "== create database ticked: the database is made and the success page shows"
"$LINTORA_WINE" "$exe" 'lt`gui' 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
click_control 124 114      # CheckBox1 (建立資料庫)
install
memo_shown && fail "the success page shows an error message"
back_shown && fail "the success page shows the back button"
[ "$(mysql_admin "SHOW DATABASES LIKE 'lt\`gui'")" = 'lt`gui' ] ||
  fail "the database lt\`gui was not made on the server"
shoot result-page-success
wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after a successful run"

echo "== a missing database: the failure page, then back, the database made, and success"
"$LINTORA_WINE" "$exe" lt_gui_missing 127.0.0.1 "$LINTORA_MYSQL_PASSWORD" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
install
memo_shown || fail "the failure page shows no message"
back_shown || fail "the failure page shows no back button"
dialog_control 56 220 | grep -q "Unknown database" ||
  fail "the message is not the server's: $(dialog_control 56 220)"
shoot result-page-failure
click_control 148 282      # BtnPrior (上一頁)
wait_control_shown 190 330
mysql_admin 'CREATE DATABASE lt_gui_missing'
install
memo_shown && fail "the second run still shows the error message"
back_shown && fail "the second run still shows the back button"
wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after the second run succeeded"

mysql_admin 'DROP DATABASE `lt``gui`; DROP DATABASE lt_gui_missing;'
reg_delete_key "$settings"
for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do reg_delete_key "$root\\Software\\ODBC"; done
echo "result pages: success and failure shown and pictured ($(ls "$shots" | tr '\n' ' '))"
