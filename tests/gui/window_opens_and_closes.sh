# The program opens its window, paints it, and ends with exit code 0 when the window is closed.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
"$LINTORA_WINE" "$LINTORA_EXE" &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"
sleep 1
screenshot "$SCRATCH/window.png"
wintool close TLintoraForm || fail "could not close the dialog"
wait_exit "$program" || fail "exit code $? after closing"
echo "window opened, painted and closed"
