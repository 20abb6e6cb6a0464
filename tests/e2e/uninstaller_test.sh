# With "d" the uninstaller is started with the exit choice instead of restarting Windows.
. "$(dirname "$0")/lib.sh"
reset_machine

start_setup "$ONEDIR/SETUP.EXE" /o /d "$(onedir_switch)"
wait_setup
expect_eq "$setup_exit" 0 "exit code"
started 'C:\\windows\\KVOX\\uninst.exe /r' || fail "uninst.exe /r was not started"
started "wineboot" && fail "Windows restarted though the uninstaller was asked for"
drive wait "K-VOX Uninstall" ";" click "K-VOX Uninstall" 1
