# The command line of the real program: presets land in the live fields, a lower-case "auto"
# opens the dialog, and "AUTO" runs the installation during start-up and ends without ever
# showing the dialog: with a host nobody answers for, its connection test fails, exit code 1.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
reg_delete_key 'HKEY_CURRENT_USER\Software\Lintora'
exe=$(program_copy)

"$LINTORA_WINE" "$exe" sales "db host" s3cret auto &
program=$!
wintool wait TLintoraForm 30 || fail "lower-case auto did not open the dialog"
[ "$(control_text TLintoraForm 124 68)" = "sales" ] || fail "data source preset not shown"
[ "$(control_text TLintoraForm 124 92)" = "db host" ] || fail "quoted server preset not shown"
[ "$(control_text TLintoraForm 124 160)" = "s3cret" ] || fail "password preset not shown"
wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after closing"

code=0
timeout 60 "$LINTORA_WINE" "$exe" sales host.invalid pw AUTO || code=$?
[ "$code" -eq 1 ] || fail "AUTO against an unknown host ended with exit code $code, not 1"
echo "presets shown, lower-case auto opened the dialog, AUTO ended without it with exit code 1"
