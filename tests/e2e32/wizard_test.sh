# The 32-bit setup.exe driven through every dialog of its wizard: the dialog procedures,
# their messages and the message dialog, as a user meets them.
. "$(dirname "$0")/../e2e/lib.sh"
options="Installation Options"
reset_machine

start_setup "$DISK1/SETUP.EXE"
drive wait Welcome ";" click Welcome 1
# The directory picker: one level up from the Windows directory, the drive chosen again.
drive wait "K-VOX Setup" ";" choose "K-VOX Setup" 1104 Ukraine ";" click "K-VOX Setup" 1102
drive wait "Define Directory" ";" open "Define Directory" 1131 "[..]" ";" choose "Define Directory" 1130 "[-c-]"
expect_eq "$(drive text "Define Directory" 1101 | tr -d '\r' | tr a-z A-Z)" 'C:\' "path after choosing the drive"
drive click "Define Directory" 1 ";" wait-gone "Define Directory"
expect_eq "$(drive text "K-VOX Setup" 1101 | tr -d '\r')" 'C:\KVOX\' "destination from the picker"
drive click "K-VOX Setup" 1
# Exit asked and refused through the message dialog; a layout added; large fonts.
drive wait "$options" ";" click "$options" 2 ";" wait "K-VOX Setup" ";" click "K-VOX Setup" 2
drive wait-gone "K-VOX Setup" ";" click "$options" 1112 ";" click "$options" 1117
drive wait "Keyboard Layouts" ";" pick "Keyboard Layouts" 1120 Russian ";" click "Keyboard Layouts" 1123
drive click "Keyboard Layouts" 1 ";" wait-gone "Keyboard Layouts"
drive click "$options" 1118 ";" wait Fonts ";" click Fonts 1030 ";" click Fonts 1 ";" wait-gone Fonts
drive click "$options" 1
answer_disk_prompts 1 2 3
drive wait "K-VOX Setup" 30000 ";" controls "K-VOX Setup" > "$work/controls"
grep -q '^1030 Button visible enabled default "&Reboot System"' "$work/controls" || fail "no exit dialog"
drive click "K-VOX Setup" 1032
wait_setup
expect_eq "$setup_exit" 0 "exit code"
expect_drawn "Do you want to exit from K-VOX Setup?"
started "wineboot.exe --end-session --shutdown" || fail "shut down was not asked for"
log="$drive_c/KVOX/KVSETUP.LOG"
tr -d '\r' < "$log" > "$work/log"
for line in " Country key=UKR" " Applications=0" "Editing CONTROL.INF complete." "Exiting Setup..."; do
    grep -qxF "$line" "$work/log" || fail "log lacks '$line'"
done
expect_eq "$(expect_copied_files_equal_originals "$work/log")" 34 "files copied"
tr -d '\r' < "$drive_c/windows/win.ini" | grep -qx 'sCountry=Ukraine' || fail "win.ini [intl] is not Ukraine's"
tr -d '\r' < "$drive_c/windows/k-vox.ini" | sed -n '/^\[KVNLS\]/,/^\[/p' | grep -o '^[^=]*=' > "$work/kvnls"
printf 'English (US)=\nRussian=\nUkrainian=\n' | cmp -s - "$work/kvnls" || fail "k-vox.ini [KVNLS]: $(cat "$work/kvnls")"
wine reg query 'HKCC\Display\Settings' /v fonts.fon | grep -q '8514sysr.fon' || fail "large system font not set"
