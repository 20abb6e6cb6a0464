# Command-line switches that end the program, and switches that are ignored.
. "$(dirname "$0")/lib.sh"
reset_machine

# "/?" shows the three help lines in the program's own message dialog and ends with 0.
start_setup "$SETUP" /?
drive wait "K-VOX Setup" ";" controls "K-VOX Setup" > "$work/controls"
grep -q '^1 Button visible enabled default "OK"' "$work/controls" || fail "help has no OK button: $(cat "$work/controls")"
grep -q '^2 Button hidden' "$work/controls" || fail "help shows a second button"
drive key "K-VOX Setup" enter
wait_setup
expect_eq "$setup_exit" 0 "exit code of /?"
expect_drawn 'L"Possible command line switches: \r/e - express setup (skip not important dialogs),\r/q - disable writing messages to log-file during setup,\r/o - OEM setup.\r"'

# "/q /a" refuses the network setup, naming "/a".
start_setup "$SETUP" /q /a
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
wait_setup
expect_eq "$setup_exit" 0 "exit code of /q /a"
expect_drawn 'Command line switch /a detected. Network setup not supported. You need network version of K-VOX.'

# "/x" and "/help" are ignored: the setup goes on and looks for its setup information file.
start_setup "$SETUP" /x /help
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
expect_drawn "Setup information file 'setup1.inf' not found."
drive wait "Open" ";" click "Open" 2
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
wait_setup
expect_eq "$setup_exit" 0 "exit code after giving up the search"
expect_drawn "Setup cancelled."
expect_not_drawn "Possible command line switches"
