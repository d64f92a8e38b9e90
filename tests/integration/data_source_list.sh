# The data source box of the running program: dropping it down lists exactly the MySQL data
# sources (the user's of either driver generation, the machine's of the 2.50 driver; never the
# default "mysql", the machine's 5.3 one or another driver's) in order; the delete button asks
# for confirmation, and after "是(&Y)" the next drop-down lists the rest while the field still
# shows the deleted name, whose records are gone while the others stay.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
list_key='Software\ODBC\ODBC.INI\ODBC Data Sources'
odbc_ini='Software\ODBC\ODBC.INI'

# Only this scenario's data sources are listed while it runs; the lists come back afterwards.
saved_lists=()
for root in HKCU HKLM; do
  if "$LINTORA_WINE" reg export "$root\\$list_key" "$(winepath_of "$SCRATCH/$root.reg")" /y \
    >/dev/null 2>&1; then
    saved_lists+=("$root")
  fi
  "$LINTORA_WINE" reg delete "$root\\$list_key" /va /f >/dev/null 2>&1 || true
done
restore() {
  local code=$? root name
  for root in HKCU HKLM; do
    "$LINTORA_WINE" reg delete "$root\\$list_key" /va /f >/dev/null 2>&1 || true
    for name in LtScenarioUser LtScenarioDelete LtScenarioMachine LtScenarioMachine53; do
      reg_delete_key "$root\\$odbc_ini\\$name"
    done
  done
  for root in "${saved_lists[@]}"; do
    "$LINTORA_WINE" reg import "$(winepath_of "$SCRATCH/$root.reg")" >/dev/null 2>&1 || true
  done
  end_scenario "$code"
}
trap restore EXIT

# A data source as the registration writes it: list entry and record (server and password).
register() {
  local root="$1" name="$2" driver="$3"
  # A second local: one local expands all its words before it sets any of them.
  local record="$root\\$odbc_ini\\$name"
  "$LINTORA_WINE" reg add "$root\\$list_key" /v "$name" /d "$driver" /f >/dev/null ||
    fail "could not list $name under $root"
  "$LINTORA_WINE" reg add "$record" /v Server /d "host-of-$name" /f >/dev/null &&
    "$LINTORA_WINE" reg add "$record" /v Password /d secret /f >/dev/null ||
    fail "could not write the record of $name under $root"
}
register HKCU LtScenarioUser "MySQL ODBC 5.3 Driver"
register HKCU LtScenarioDelete MySQL
register HKLM LtScenarioDelete MySQL
register HKLM LtScenarioMachine MySQL
register HKLM LtScenarioMachine53 "MySQL ODBC 5.3 Driver"
"$LINTORA_WINE" reg add "HKCU\\$list_key" /v mysql /d "MySQL ODBC 5.3 Driver" /f >/dev/null
"$LINTORA_WINE" reg add "HKCU\\$list_key" /v LtScenarioOther /d "SQL Server" /f >/dev/null

exe=$(program_copy)
"$LINTORA_WINE" "$exe" LtScenarioDelete &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"

# CBox1 stands at 96,54 of the panel at 28,14; the delete button beside it at 240,54.
box=$(control_id TLintoraForm 124 68 combobox)
[ -n "$box" ] || fail "no data source box"

listed=$(wintool dropdown TLintoraForm "$box" | tr -d '\r')
expected=$'LtScenarioDelete\nLtScenarioMachine\nLtScenarioUser'
[ "$listed" = "$expected" ] || fail "the drop-down listed:"$'\n'"$listed"$'\n'"expected:"$'\n'"$expected"

confirm_delete BIG5 '確定要刪除?' 6  # 是(&Y)

listed=$(wintool dropdown TLintoraForm "$box" | tr -d '\r')
expected=$'LtScenarioMachine\nLtScenarioUser'
[ "$listed" = "$expected" ] || fail "after deleting, the drop-down listed:"$'\n'"$listed"
shown=$(wintool text TLintoraForm "$box" | tr -d '\r')
[ "$shown" = LtScenarioDelete ] || fail "the field shows '$shown' after deleting"

for root in HKCU HKLM; do
  ! reg_key_exists "$root\\$odbc_ini\\LtScenarioDelete" || fail "$root still has the record"
  ! "$LINTORA_WINE" reg query "$root\\$list_key" /v LtScenarioDelete >/dev/null 2>&1 ||
    fail "$root still lists the deleted data source"
done
reg_key_exists "HKCU\\$odbc_ini\\LtScenarioUser" || fail "another data source's record went"
reg_key_exists "HKLM\\$odbc_ini\\LtScenarioMachine" || fail "the machine's record went"

wintool close TLintoraForm
wait_exit "$program" || fail "exit code $? after closing"
echo "the drop-down listed the data sources in order and lost the deleted one"
