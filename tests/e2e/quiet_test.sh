# With "q" no log is written, and an old log is left as it was.
. "$(dirname "$0")/lib.sh"
reset_machine
mkdir -p "$(dirname "$install_log")"
printf 'an old log\r\n' > "$install_log"

start_setup "$ONEDIR/SETUP.EXE" /o /q "$(onedir_switch)"
wait_setup
expect_eq "$setup_exit" 0 "exit code"
expect_eq "$(cat "$install_log")" "$(printf 'an old log\r\n')" "old log"
expect_file "$drive_c/windows/KVOX/uninst.exe"
