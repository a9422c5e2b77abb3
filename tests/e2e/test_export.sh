#!/usr/bin/env bash
# Export from the Menu-button popup through the Save As dialog, to a file that does not exist
# yet: the UTF-16LE text with its byte-order mark, byte for byte. Line ends are CR LF: a lone LF
# of a text is written as CR LF, a CR LF stays one CR LF, a lone CR stays as it is.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR" "$E2E_DIR/out"
write_library "$DATA_FILE" \
  'Work:Sig=Bye\nAnn,Tab=a\tb,Lines=one\r\ntwo\rthree\nfour\r\n\r\nfive\r'
ln -s "$E2E_DIR/out" "$WINEPREFIX/dosdevices/e:"
start_app
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
probe click "$MAIN" "$IDC_MENU_BUTTON" >/dev/null
probe --timeout 5000 menu >/dev/null || fail "no Menu-button popup"
probe keys "$(vk E)" >/dev/null  # &Export to text file...
SAVE=$(probe --timeout 10000 find "#32770" "Save As") || fail "no Save As dialog"
name=$(probe item "$SAVE" "$cmb13")
[[ $name == 0x* ]] || name=$(probe child "$(probe item "$SAVE" "$cmb13")" Edit 2>/dev/null || true)
edit=$(probe child "$(probe child "$SAVE" ComboBoxEx32)" ComboBox 2>/dev/null || true)
[[ $edit == 0x* ]] && edit=$(probe child "$edit" Edit)
[[ $edit == 0x* ]] || edit=$name
probe settext "$edit" 'E:\library.txt' >/dev/null
probe post "$SAVE" "$WM_COMMAND" "$IDOK" 0 >/dev/null
expected=$(python3 - <<'PY'
import re
sep = "-" * 79 + "\r\n"
text = "Brindlex exported data.\r\n\r\n"
for item, body in (("Sig", "Bye\nAnn"), ("Tab", "a\tb"), ("Lines", "one\r\ntwo\rthree\nfour\r\n\r\nfive\r")):
    body = re.sub("(?<!\r)\n", "\r\n", body)
    text += sep + 'Item: "%s" (group "Work")\r\n' % item + sep + "String:\r\n" + body + "\r\n\r\n"
print((b"\xff\xfe" + text.encode("utf-16-le")).hex())
PY
)
export_bytes() { od -An -tx1 -v "$E2E_DIR/out/library.txt" 2>/dev/null | tr -d ' \n'; }
wait_for 10 eq "$expected" export_bytes 2>/dev/null || true  # until the whole file is there
got=$(export_bytes)
[[ -n $got ]] || fail "the export file was not written"
[[ $got == "$expected" ]] || fail "export bytes differ:
$(python3 -c "import sys; print(ascii(bytes.fromhex(sys.argv[1]).decode('utf-16')))" "$got")"
exit_app
note "export ok"
