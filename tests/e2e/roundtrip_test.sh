# The round trip: the sample package installed, then removed by its uninstaller, leaves the
# Windows 95 fixture as it stood: win.ini, system.ini, control.inf, the four registry keys,
# the Start Menu and the file tree; only the uninstaller and its log stay behind.
. "$(dirname "$0")/lib.sh"

kvox="$drive_c/windows/KVOX"

# Unattended installation, then uninst.exe /w as the setup would start it: no question.
reset_machine
snapshot before
start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
wait_setup
wait_for_restart
expect_file "$kvox/uninst.exe"
# The indicator runs, as after a restart; the uninstaller closes it to remove its file.
wine 'C:\windows\KVOX\kvox.exe' >/dev/null 2>&1 &
indicator=$!
trap 'kill "$indicator" 2>/dev/null || true; rm -rf "$work"' EXIT
drive wait-class K-VOXIndicatorClass
expect_file "$kvox/setup1.inf"
start_setup 'C:\windows\KVOX\uninst.exe' /w
wait_setup
expect_eq "$setup_exit" 0 "uninstaller's exit code"
expect_not_drawn "Remove K-VOX and put back the settings it changed?"
started "wineboot" && fail "the uninstaller restarted Windows though /w was given"
snapshot after
expect_same_machine "unattended" before after ./windows/KVOX/uninst.exe
[ -e "$programs_menu/K-VOX" ] && fail "the K-VOX group is still there"
[ -e "$programs_menu/StartUp/K-VOX Indicator.lnk" ] && fail "the start-up item is still there"
tr -d '\r' < "$kvox/uninst.log" > "$work/log"
grep -qx 'Uninstall complete.' "$work/log" || fail "the log does not say the uninstall is complete"
grep -qx 'Restored \[boot\] wincodepage=1252' "$work/log" || fail "no restore line for wincodepage"
grep -qx 'Removed file C:\\windows\\system32\\kvoxnls.dll' "$work/log" || fail "no removal line for kvoxnls.dll"

# A second run has nothing to work on: it says so and changes nothing.
start_setup 'C:\windows\KVOX\uninst.exe' /w
wait_for_control "K-VOX Uninstall" "^1 Button"
drive click "K-VOX Uninstall" 1
wait_setup
expect_drawn "was not found, so K-VOX Uninstall cannot tell what Setup installed and changed."
snapshot after
expect_same_machine "second run" before after ./windows/KVOX/uninst.exe

# Two installations, the second answered Yes, then one uninstall: the values from before
# the first come back.
reset_machine
for answer in first second; do
    start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
    [ "$answer" = second ] && drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
    wait_setup
    wait_for_restart
done
expect_drawn "K-VOX already installed. Replace old files and K-VOX information?"
start_setup 'C:\windows\KVOX\uninst.exe' /r
wait_setup
started "wineboot.exe --end-session" || fail "no restart after uninst.exe /r"
snapshot after
expect_same_machine "two installations" before after ./windows/KVOX/uninst.exe

# A full wizard into another directory, then the uninstaller as a user starts it: the
# question, then the exit choices; returning to Windows.
start_wizard Ukraine 'C:\KVOX\CYRILLIC'
drive wait "Installation Options" ";" click "Installation Options" 1
answer_disk_prompt 1
answer_disk_prompt 2
answer_disk_prompt 3
drive wait "K-VOX Setup" 30000 ";" click "K-VOX Setup" 1032
wait_setup
expect_file "$drive_c/KVOX/CYRILLIC/uninst.exe"
start_setup 'C:\KVOX\CYRILLIC\uninst.exe'
wait_for_control "K-VOX Uninstall" "^1 Button"
drive click "K-VOX Uninstall" 1
wait_for_control "K-VOX Uninstall" '^3 Button visible enabled [^ ]* "Return to &Windows"'
drive click "K-VOX Uninstall" 3
wait_setup
expect_drawn "Remove K-VOX and put back the settings it changed?"
expect_drawn "K-VOX has been removed."
started "wineboot" && fail "Windows restarted though Return to Windows was chosen"
snapshot after
expect_same_machine "wizard" before after ./KVOX/CYRILLIC/uninst.exe
true
