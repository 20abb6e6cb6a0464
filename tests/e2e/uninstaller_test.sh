# With "d" the setup ends by starting the uninstaller with the exit choice instead of
# restarting Windows; the uninstaller then runs without a question, puts the machine back
# and restarts Windows itself.
. "$(dirname "$0")/lib.sh"
reset_machine

start_setup "$ONEDIR/SETUP.EXE" /o /d "$(onedir_switch)"
wait_setup
expect_eq "$setup_exit" 0 "exit code"
started 'C:\\windows\\KVOX\\uninst.exe /r' || fail "uninst.exe /r was not started"
tries=0
until grep -a -q 'Uninstall complete' "$drive_c/windows/KVOX/uninst.log" 2>/dev/null && started "wineboot"; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || fail "the uninstaller did not finish and restart Windows"
    sleep 0.3
done
expect_not_drawn "Remove K-VOX and put back the settings it changed?"
started "wineboot.exe --end-session" || fail "no restart after the uninstaller"
expect_no_file "$drive_c/windows/k-vox.ini"
expect_no_file "$drive_c/windows/KVOX/uninst.inf"
