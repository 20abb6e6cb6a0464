# With "d" the setup starts the uninstaller instead of restarting Windows; it runs without
# a question, puts the machine back and restarts Windows itself.
. "$(dirname "$0")/lib.sh"
reset_machine

install_oem /d
expect_eq "$setup_exit" 0 "exit code"
started 'C:\\windows\\KVOX\\uninst.exe /r' || fail "uninst.exe /r was not started"
uninstalled_and_restarted() {
    grep -a -q 'Uninstall complete' "$kvox/uninst.log" 2>/dev/null && started "wineboot.exe --end-session"
}
poll "the uninstaller did not finish and restart Windows" uninstalled_and_restarted
expect_not_drawn "Remove K-VOX and put back the settings it changed?"
expect_no_file "$drive_c/windows/k-vox.ini"
expect_no_file "$kvox/uninst.inf"
