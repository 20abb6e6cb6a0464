# Setup refuses Windows NT (winxp) and Win32s (win31) with the system message box alone.
. "$(dirname "$0")/lib.sh"
for version in winxp win31; do
    reset_machine
    wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1

    start_setup "$SETUP"
    drive wait "K-VOX Setup" ";" controls "K-VOX Setup" > "$work/controls"
    reset_machine
    grep -q '"Setup requires Windows 95."' "$work/controls" || fail "$version: no refusal text: $(cat "$work/controls")"
    drive click "K-VOX Setup" 1
    wait_setup
    expect_eq "$setup_exit" 0 "exit code on $version"
    expect_not_drawn "Setup information file"
done
