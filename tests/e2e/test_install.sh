#!/usr/bin/env bash
# The installer and the portable zip in a fresh prefix: a setup started as administrator stops; a
# silent install for the current user (files, Start menu shortcut, Uninstall entry), the program
# started from the shortcut's target; an install over the running program, which is asked to save
# and exit first, whose exe is then replaced whole and started again; a silent uninstall, again
# while it runs, that removes the program, the shortcut, the Uninstall entry and the Run value and
# keeps the library byte for byte; the zip unpacked into a folder of its own and started from
# there; a copy in the temporary folder that writes no Run value; and an install into a folder of
# other files, which goes into a Brindlex folder inside it and whose uninstall leaves those files
# and the portable copy's Run value.
source "$(dirname "$0")/lib.sh"
e2e_start

[[ -s $BRINDLEX_SETUP && -s $BRINDLEX_ZIP ]] || fail "no installer or zip: $BRINDLEX_SETUP $BRINDLEX_ZIP"
USER_DIR=$(dirname "$(dirname "$(dirname "$APPDATA_DIR")")")
INSTALL_DIR=$USER_DIR/AppData/Local/Programs/Brindlex
SHORTCUT=$USER_DIR/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Brindlex.lnk
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlex'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# regvalue KEY NAME: the value's data, or rc 1 when the key or the value is missing.
regvalue() {
  local out
  out=$(timeout -k 2 30 wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r') || return 1
  sed -n "s/^ *$2 *REG_[A-Z_]* *//p" <<<"$out" | sed -n 1p | grep . || return 1
}
# Under Wine every process has a full administrator's token, as "Run as administrator" gives on
# Windows (run_setup_as_administrator). An ordinary run (run_setup) gets the limited token linked
# to it, from the probe.
run_setup_as_administrator() { (cd "$E2E_DIR" && timeout -k 5 120 wine "$BRINDLEX_SETUP" /S "$@" </dev/null >/dev/null 2>&1); }
run_setup() {
  (cd "$E2E_DIR" && timeout -k 5 120 wine "$BRINDLEX_PROBE" limited "$(winepath -w "$BRINDLEX_SETUP" 2>/dev/null)" /S "$@" \
    </dev/null >/dev/null 2>&1)
}
windows_path() { echo "C:${1#"$WINEPREFIX/drive_c"}" | tr / '\\'; }

# Started as administrator, the setup stops with an error and installs nothing.
rc=0
run_setup_as_administrator || rc=$?
((rc != 0 && rc != 124)) || fail "the setup started as administrator ended with rc $rc"
[[ ! -e $INSTALL_DIR ]] && ! regvalue "$UNINSTALL_KEY" DisplayName >/dev/null ||
  fail "the setup started as administrator installed"

# A silent install into the fresh prefix.
run_setup || fail "the silent install failed (rc $?)"
for f in Brindlex.exe Brindlex.chm README.txt LICENSE.txt Uninstall.exe; do
  [[ -s $INSTALL_DIR/$f ]] || fail "$f was not installed"
done
cmp -s "$INSTALL_DIR/Brindlex.exe" "$(dirname "$BRINDLEX_EXE")/Brindlex.exe" || fail "the installed exe differs"
[[ -s $SHORTCUT ]] || fail "no Start menu shortcut"
[[ $(regvalue "$UNINSTALL_KEY" DisplayName) == Brindlex ]] || fail "no Uninstall entry"
version=$(basename "$BRINDLEX_SETUP" | sed 's/^Brindlex-\(.*\)-setup\.exe$/\1/')
[[ $(regvalue "$UNINSTALL_KEY" DisplayVersion) == "$version" ]] || fail "Uninstall entry: version"
[[ $(regvalue "$UNINSTALL_KEY" Publisher) == "The Brindlex developers" ]] || fail "Uninstall entry: publisher"
[[ $(regvalue "$UNINSTALL_KEY" DisplayIcon) == "$(windows_path "$INSTALL_DIR")\\Brindlex.exe,0" ]] ||
  fail "Uninstall entry: icon"
size=$(regvalue "$UNINSTALL_KEY" EstimatedSize)
installed_kb=$(du -sk "$INSTALL_DIR" | cut -f1)
((size > 0 && size * 2 > installed_kb && size < installed_kb * 2)) ||
  fail "Uninstall entry: size $size KB for $installed_kb KB installed"
[[ $(regvalue "$UNINSTALL_KEY" UninstallString) == "\"$(windows_path "$INSTALL_DIR")\\Uninstall.exe\"" ]] ||
  fail "Uninstall entry: command"
# Nothing was running, so nothing is started.
! probe --timeout 2000 main >/dev/null 2>&1 || fail "the first install started the program"

# The program as the Start menu starts it. A byte added to the installed exe tells the old copy
# from the one the next install brings.
target=$(probe shortcut "$(windows_path "$SHORTCUT")") || fail "the shortcut cannot be read"
[[ $target == "$(windows_path "$INSTALL_DIR")\\Brindlex.exe" ]] || fail "the shortcut starts $target"
printf 'x' >>"$INSTALL_DIR/Brindlex.exe"
BRINDLEX_EXE=$target start_app
wait_for 10 eq 1 probe visible "$MAIN" || fail "the installed program shows no window"
[[ $(regvalue "$RUN_KEY" Brindlex) == "\"$target\"" ]] || fail "the installed program did not set its Run value"
[[ ! -e $DATA_FILE ]] || fail "a data file before any exit"

# Installing again over the running program: it saves its library and exits, then its exe is
# replaced whole.
run_setup || fail "the install over the running program failed (rc $?)"
probe --timeout 5000 waitexit "$MAIN" >/dev/null || fail "the running program was not ended"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
[[ -s $DATA_FILE ]] || fail "the program did not save its library before the install"
dump=$(read_library "$DATA_FILE")
grep -qx "G Sample Group" <<<"$dump" || fail "the saved library lacks its folder: $dump"
cmp -s "$INSTALL_DIR/Brindlex.exe" "$(dirname "$BRINDLEX_EXE")/Brindlex.exe" || fail "the exe was not replaced"
[[ ! -e $INSTALL_DIR/Brindlex.exe.new ]] || fail "a copy was left behind"
# The silent install started the new program in place of the one it closed.
closed=$MAIN
MAIN=$(probe --timeout 20000 main) && [[ $MAIN == 0x* && $MAIN != "$closed" ]] || fail "the new program was not started: $MAIN"
wait_for 20 eq 1 probe trayexists "$MAIN" || fail "the new program did not finish its start"
note "installed, started from the shortcut, installed again over the running program, which started again"

# A silent uninstall while the program (the one the install started) runs: it is asked to exit
# too (and then writes the same library and its Run value once more). The uninstaller runs from a
# copy of itself in the temporary folder, so its work is waited for by what it removes.
library_sum=$(sha256sum <"$DATA_FILE")
(cd "$E2E_DIR" && timeout -k 5 60 wine "$(windows_path "$INSTALL_DIR")\\Uninstall.exe" /S </dev/null >/dev/null 2>&1) ||
  fail "the uninstaller failed"
wait_for 30 test ! -e "$INSTALL_DIR" || fail "the program folder is still there: $(ls "$INSTALL_DIR")"
probe --timeout 5000 waitexit "$MAIN" >/dev/null || fail "the uninstaller did not end the running program"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
[[ ! -e $SHORTCUT ]] || fail "the shortcut is still there"
! regvalue "$UNINSTALL_KEY" DisplayName >/dev/null || fail "the Uninstall entry is still there"
! regvalue "$RUN_KEY" Brindlex >/dev/null || fail "the Run value is still there"
[[ $(sha256sum <"$DATA_FILE") == "$library_sum" ]] || fail "the library changed"
[[ -s $SETTINGS_INI ]] || fail "the settings are gone"
note "uninstalled; the library kept"

# The portable zip: its four files, unpacked into a folder of their own and started there.
[[ $(unzip -Z1 "$BRINDLEX_ZIP" | sort | tr '\n' ' ') == "Brindlex.chm Brindlex.exe LICENSE.txt README.txt " ]] ||
  fail "the zip holds: $(unzip -Z1 "$BRINDLEX_ZIP" | tr '\n' ' ')"
PORTABLE=$WINEPREFIX/drive_c/Portable\ Brindlex
unzip -q "$BRINDLEX_ZIP" -d "$PORTABLE"
BRINDLEX_EXE=$(windows_path "$PORTABLE")\\Brindlex.exe start_app
wait_for 10 eq 1 probe visible "$MAIN" || fail "the unpacked program shows no window"
[[ $(regvalue "$RUN_KEY" Brindlex) == "\"$(windows_path "$PORTABLE")\\Brindlex.exe\"" ]] ||
  fail "the unpacked program is not the one running"
wait_for 5 eq 1 probe lbcount "$GROUP_LIST" || fail "the unpacked program did not read the kept library"
exit_app
portable_run=$(regvalue "$RUN_KEY" Brindlex)

# A copy in the temporary folder, where Windows unpacks a program opened inside a zip: start with
# Windows stays on in its settings, and the Run value goes on naming the portable copy. %TEMP% is
# given in 8.3 names, as it may be on Windows, and the copy is started by its long path.
temp_copy="$USER_DIR/Temporary Files/Temp1_Brindlex.zip"
mkdir -p "$temp_copy"
short=$(timeout -k 2 30 wine cmd /c "dir /x $(windows_path "$USER_DIR")" </dev/null 2>/dev/null | tr -d '\r' |
  sed -n 's/.*<DIR> *\([^ ]*\) *Temporary Files$/\1/p')
[[ -n $short ]] || fail "no 8.3 name for the temporary folder"
for name in TEMP TMP; do
  timeout -k 2 30 wine reg add 'HKCU\Environment' /v $name /d "$(windows_path "$USER_DIR")\\$short" /f </dev/null >/dev/null 2>&1
done
cp "$PORTABLE/Brindlex.exe" "$PORTABLE/Brindlex.chm" "$temp_copy/"
BRINDLEX_EXE=$(windows_path "$temp_copy")\\Brindlex.exe start_app
exit_app
[[ $(regvalue "$RUN_KEY" Brindlex) == "$portable_run" ]] ||
  fail "the copy in the temporary folder set the Run value to $(regvalue "$RUN_KEY" Brindlex)"
[[ $(ini_lines "$SETTINGS_INI" AutoStart=1) == 1 ]] || fail "start with Windows was turned off: $(ini_text "$SETTINGS_INI")"
note "installer, zip and temporary copy ok"

# Installed into a folder that holds other files: the program goes into a Brindlex folder of its
# own there; the folder's own README.txt is neither replaced nor removed, and the Run value of the
# portable copy outlives the uninstall.
TOOLS=$WINEPREFIX/drive_c/Tools
mkdir -p "$TOOLS"
printf 'The tools folder.\r\n' >"$TOOLS/README.txt"
cp "$TOOLS/README.txt" "$E2E_DIR/tools-readme"
run_setup "/D=$(windows_path "$TOOLS")" || fail "the install into a folder of other files failed (rc $?)"
[[ -s $TOOLS/Brindlex/Brindlex.exe && -s $TOOLS/Brindlex/Uninstall.exe ]] ||
  fail "not installed into a folder of its own: $(ls "$TOOLS")"
[[ $(ls "$TOOLS" | tr '\n' ' ') == "Brindlex README.txt " ]] || fail "the folder holds: $(ls "$TOOLS" | tr '\n' ' ')"
cmp -s "$TOOLS/README.txt" "$E2E_DIR/tools-readme" || fail "the folder's README.txt was replaced"
(cd "$E2E_DIR" && timeout -k 5 60 wine "$(windows_path "$TOOLS")\\Brindlex\\Uninstall.exe" /S </dev/null >/dev/null 2>&1) ||
  fail "the uninstaller in the folder of its own failed"
wait_for 30 test ! -e "$TOOLS/Brindlex" || fail "the folder of its own is still there: $(ls "$TOOLS/Brindlex")"
cmp -s "$TOOLS/README.txt" "$E2E_DIR/tools-readme" || fail "the uninstall removed the folder's README.txt"
[[ $(regvalue "$RUN_KEY" Brindlex) == "$portable_run" ]] || fail "the uninstall removed the portable copy's Run value"
note "installed into a folder of other files and uninstalled from there"
