# The "ODBC管理員" button starts odbcad32.exe from the system directory and waits for nothing:
# a stand-in program of that name leaves a marker file when it runs.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
sysdir=$(unix_path 'C:\windows\system32')
cp "$LINTORA_WINTOOL" "$sysdir/odbcad32.exe"
rm -f "$sysdir/odbcad32.exe.ran"
trap 'rm -rf "$SCRATCH" "$sysdir/odbcad32.exe" "$sysdir/odbcad32.exe.ran"' EXIT
exe=$(program_copy)

"$LINTORA_WINE" "$exe" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
button=$(wintool list TLintoraForm | tr -d '\r' | awk '$4 == 40 && $5 == 330 { print $2; exit }')
[ -n "$button" ] || fail "no button at 40,330"
wintool click TLintoraForm "$button" || fail "could not click the ODBC administrator button"
for _ in $(seq 1 150); do
  [ -f "$sysdir/odbcad32.exe.ran" ] && break
  sleep 0.2
done
[ -f "$sysdir/odbcad32.exe.ran" ] || fail "odbcad32.exe was not started from the system directory"
wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after closing"
echo "odbcad32.exe started from the system directory"
