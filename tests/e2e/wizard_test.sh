# The wizard as a user meets it: every dialog with choices that differ from the defaults,
# then the uninstaller as a user starts it; Back to the country dialog, and leaving by Exit.
. "$(dirname "$0")/lib.sh"
options="Installation Options"
# The state of a check box or radio button of a window.
state_of() { drive controls "$1" | tr -d '\r' | awk -v id="$2" '$1 == id { print $5 }'; }

# A second country, a typed destination, Applications off, one more layout, large fonts.
reset_machine
snapshot before
start_wizard Ukraine 'C:\KVOX\CYRILLIC'
drive wait "$options" ";" click "$options" 1112 ";" click "$options" 1117
drive wait "Keyboard Layouts" ";" pick "Keyboard Layouts" 1120 Russian ";" click "Keyboard Layouts" 1123
drive items "Keyboard Layouts" 1122 | tr -d '\r' > "$work/selected"
printf 'English (US)\nRussian\nUkrainian\n' | cmp -s - "$work/selected" || fail "selected layouts: $(cat "$work/selected")"
drive click "Keyboard Layouts" 1 ";" wait-gone "Keyboard Layouts"
drive click "$options" 1118 ";" wait Fonts ";" click Fonts 1030 ";" click Fonts 1 ";" wait-gone Fonts
expect_eq "$(state_of "$options" 1110)" grayed "Keyboard Layouts box"
expect_eq "$(state_of "$options" 1111)" grayed "Fonts box"
expect_eq "$(state_of "$options" 1112)" unchecked "Applications box"
drive click "$options" 1
# Without a start directory the first disk is asked for too.
answer_disk_prompts 1 2 3
# Program files are installed: restart or shut down, no return to Windows.
drive wait "K-VOX Setup" 30000 ";" controls "K-VOX Setup" > "$work/controls"
grep -q '^1030 Button visible enabled default "&Reboot System"' "$work/controls" || fail "no Reboot button"
grep -q '^3 ' "$work/controls" && fail "Return to Windows offered though program files were installed"
drive click "K-VOX Setup" 1032
wait_setup
expect_eq "$setup_exit" 0 "exit code"
started "wineboot.exe --end-session --shutdown" || fail "shut down was not asked for"
log="$drive_c/KVOX/CYRILLIC/KVSETUP.LOG"
for line in " Country key=UKR" " Layouts=1" " Fonts=1" " Applications=0" " Developers Kit Sample=0"; do
    tr -d '\r' < "$log" | grep -qxF "$line" || fail "log lacks '$line'"
done
expect_file "$drive_c/KVOX/CYRILLIC/kvox.exe"
tr -d '\r' < "$drive_c/windows/k-vox.ini" | sed -n '/^\[KVNLS\]/,/^\[/p' | grep -o '^[^=]*=' > "$work/kvnls"
printf 'English (US)=\nRussian=\nUkrainian=\n' | cmp -s - "$work/kvnls" || fail "k-vox.ini [KVNLS]: $(cat "$work/kvnls")"
# The uninstaller asks, then offers the exit choices; returning to Windows.
start_setup 'C:\KVOX\CYRILLIC\uninst.exe'
wait_for_control "K-VOX Uninstall" "^1 Button"
drive click "K-VOX Uninstall" 1
wait_for_control "K-VOX Uninstall" '^3 Button visible enabled [^ ]* "Return to &Windows"'
drive click "K-VOX Uninstall" 3
wait_setup
expect_drawn "Remove K-VOX and put back the settings it changed?"
expect_drawn "K-VOX has been removed."
started "wineboot" && fail "Windows restarted though Return to Windows was chosen"
expect_machine_as "wizard" before ./KVOX/CYRILLIC/uninst.exe

# Back from the options opens the country dialog again, reset to the defaults; Exit asks,
# Cancel keeps the dialog and its choices, OK ends the setup as failed with nothing installed.
reset_machine
start_wizard Belarus 'C:\ELSEWHERE'
drive wait "$options" ";" click "$options" 1119
drive wait "K-VOX Setup"
expect_eq "$(drive text "K-VOX Setup" 1104 | tr -d '\r')" Russia "country after Back"
expect_eq "$(drive text "K-VOX Setup" 1101 | tr -d '\r')" 'C:\windows\KVOX\' "destination after Back"
drive click "K-VOX Setup" 1
drive wait "$options" ";" click "$options" 1112 ";" click "$options" 2
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 2
drive wait-gone "K-VOX Setup"
expect_drawn "Do you want to exit from K-VOX Setup?"
expect_eq "$(state_of "$options" 1112)" unchecked "Applications box after Cancel"
drive click "$options" 2 ";" wait "K-VOX Setup" ";" click "K-VOX Setup" 1
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
wait_setup
expect_eq "$setup_exit" 0 "exit code after Exit"
[ -e "$drive_c/windows/KVOX" ] && fail "something was installed after Exit"
[ -e "$drive_c/ELSEWHERE" ] && fail "the typed destination was made after Exit"
started "wineboot" && fail "Windows restarted after a cancelled setup"
expect_drawn "Setup cancelled. K-VOX may not properly installed now."
