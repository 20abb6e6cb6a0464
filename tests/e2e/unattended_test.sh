# An unattended OEM run from the first disk runs every phase and restarts Windows.
. "$(dirname "$0")/lib.sh"
reset_machine

start_setup "$DISK1/SETUP.EXE" /o
wait_setup
expect_eq "$setup_exit" 0 "exit code"

expect_file "$install_log"
tr -d '\r' < "$install_log" > "$work/log"
cat > "$work/head" <<'LOG'
Log file created.
Installing components and flags:
 Windows version=4.0
 Country key=RUS
 System Fonts Code Page=1251
 DOS Code Page=866
 Hot Key=Left Ctrl
 Program Files=1
 Layouts=1
 Fonts=1
 Applications=1
 TrueType Fonts=1
 Screen Fonts=1
 Developers Kit Sample=0
 24-pin Printers Present=1
  9-pin Printers Present=0
 Printer Drivers to Update=0
 Printer Fonts=0
 24-pin Printer Fonts=0
  9-pin Printer Fonts=0
 K-VOX Already Installed=0
 Uninstall Enabled=1
 Replace Old Files=1
Begin copying...
LOG
head -n 24 "$work/log" | diff "$work/head" - >&2 || fail "log header differs"
expect_eq "$(tail -n 2 "$work/log" | tr '\n' '|')" "Releasing allocated memory...|Exiting Setup...|" "end of the log"
grep -q '^Copying complete\.$' "$work/log" || fail "copying not logged"
# Files of the Windows and system sections land in those directories.
expect_file "$drive_c/windows/kvreadme.txt"
expect_file "$drive_c/windows/system32/kvoxnls.dll"
grep -q '^Editing K-VOX.INI complete\.$' "$work/log" || fail "k-vox.ini step not logged"

# AskRestartOrReturn is off: Windows restarts without a question.
started "wineboot.exe --end-session" || fail "no restart was asked for"
started "--shutdown" && fail "shut down instead of restarting"
expect_not_drawn "K-VOX installation complete."

# The layouts of the country are recorded in the product profile.
grep -a -q '^English (US)=00000409,KBDUS.KBD,2,US,USA' "$drive_c/windows/k-vox.ini" || fail "no [KVNLS] in k-vox.ini"
