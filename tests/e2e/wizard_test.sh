# The wizard as a user meets it: welcome, the exit dialog, and leaving early.
. "$(dirname "$0")/lib.sh"
reset_machine

# Continue in the welcome dialog; the exit dialog offers restart or shut down.
start_setup "$DISK1/SETUP.EXE"
drive wait Welcome ";" click Welcome 1
drive wait "K-VOX Setup" ";" controls "K-VOX Setup" > "$work/controls"
grep -q '^1030 Button visible enabled default "&Reboot System"' "$work/controls" || fail "no Reboot button"
grep -q '^1032 Button visible enabled - "Sh&ut Down"' "$work/controls" || fail "no Shut Down button"
grep -q '^3 ' "$work/controls" && fail "Return to Windows offered though program files were installed"
drive click "K-VOX Setup" 1032
wait_setup
expect_eq "$setup_exit" 0 "exit code"
started "wineboot.exe --end-session --shutdown" || fail "shut down was not asked for"
expect_file "$install_log"

# Exit in the welcome dialog ends the setup with the cancel message and no log.
reset_machine
start_setup "$DISK1/SETUP.EXE"
drive wait Welcome ";" click Welcome 2
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
wait_setup
expect_eq "$setup_exit" 0 "exit code after Exit"
expect_drawn "Setup cancelled. K-VOX may not properly installed now."
expect_no_file "$install_log"
started "wineboot" && fail "Windows restarted after a cancelled setup"
true
