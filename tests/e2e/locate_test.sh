# Without setup1.inf beside it the setup asks for it; the chosen file drives the run.
. "$(dirname "$0")/lib.sh"
reset_machine
mkdir "$work/program"
cp "$SETUP" "$work/program/SETUP.EXE"
inf=$(winepath -w "$DISK1/SETUP1.INF")

start_setup "$work/program/SETUP.EXE" /o /q "$(onedir_switch)"
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
expect_drawn "Setup information file 'setup1.inf' not found."
drive wait "Open" ";" settext "Open" 1148 "$inf" ";" click "Open" 1
wait_setup
expect_eq "$setup_exit" 0 "exit code"
# The OEM flags of the chosen file ran the setup unattended to its end.
expect_file "$kvox/kvox.exe"
