# On a Simplified-Chinese system without language files the dialog shows its texts in GB2312:
# the caption, the labels, the buttons, the check box and the notice strip converted from Big5,
# the combo box items and the ASCII texts as they are, and the three fixed GB2312 captions of
# Label10, Label1 and Label11; the message table converted too, as the delete button's question
# shows. No language file is made.
source "$LINTORA_SOURCE_DIR/tests/lib/common.sh"
userdata=$(user_data_folder)
rm -f "$userdata/Taiwan.Prop" "$userdata/China.Prop"

exe=$(program_copy)
"$LINTORA_WINE" "$exe" LtSimplifiedProbe &
program=$!
wintool wait TLintoraForm 30 || fail "the dialog did not appear"

title=$(wintool title TLintoraForm | tr -d '\r' | iconv -f GB2312 -t UTF-8)
[ "$title" = "安装MySQL连结" ] || fail "dialog caption '$title'"

# Positions in the dialog's client area: the input page's panel stands at 28,14; the result
# page's controls stand where they are, hidden.
check_text() {
  local name="$1" left="$2" top="$3" expected="$4" actual
  actual=$(control_text_in GB2312 TLintoraForm "$left" "$top")
  [ "$actual" = "$expected" ] || fail "$name shows '$actual', expected '$expected'"
}
check_text "notice Panel2" 36 20 "请用系统管理员安装"
check_text "Label10 (fixed)" 62 48 "数据库说明"
check_text "Label1 (fixed)" 62 72 "数据库名称"
check_text "Label2" 74 96 "主机名称"
check_text "Label3" 278 94 "(IP)"
check_text "Label4" 62 143 "使用者名称"
check_text "Label5" 98 166 "密码"
check_text "Label8" 98 220 "端口"
check_text "Label13" 78 302 "V 5.6"
check_text "CheckBox1" 124 114 "建立资料库"
check_text "BtnStartSet" 190 330 "安装"
check_text "BtnExit" 268 330 "取消"
check_text "Button1" 40 330 "ODBC管理员"
check_text "Label11 (fixed)" 124 90 "资料库名称安装完成"
check_text "Label12" 128 118 "请按关闭按钮结束"
check_text "LabelMsg" 12 142 "连结到MySQL成功!"
check_text "BtnClose" 148 312 "关闭"
check_text "BtnPrior" 148 282 "上一页"
check_text "Memo1" 56 220 ""

check_items() {
  local name="$1" left="$2" top="$3" expected="$4" handle actual
  handle=$(control_handle TLintoraForm "$left" "$top")
  [ -n "$handle" ] || fail "no window for $name"
  actual=$(wintool items "$handle" | tr -d '\r' | iconv -f GB2312 -t UTF-8 | paste -sd,)
  [ "$actual" = "$expected" ] || fail "$name holds '$actual', expected '$expected'"
}
check_items "CBox0" 124 44 "MySQL,MySQL5.3+"
check_items "CBox5" 124 238 "latin1,big5,gb2312,utf8"

# The question comes from the message table ("S_DELETE"); answered 否, nothing is deleted.
confirm_delete GB2312 '确定要删除?' 7  # 否(&N)

wintool close TLintoraForm || fail "could not close the dialog"
wait_exit "$program" || fail "exit code $? after closing"
[ ! -e "$userdata/Taiwan.Prop" ] && [ ! -e "$userdata/China.Prop" ] || fail "a language file was made"
echo "the dialog showed its texts in GB2312"
