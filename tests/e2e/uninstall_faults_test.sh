# The uninstaller's faults end with a clear message and nothing lost: a damaged record and
# one that says Enabled=No change nothing; an unwritable win.ini is reported, the rest is
# put back, the record stays, and a second run once win.ini can be written finishes the job.
. "$(dirname "$0")/lib.sh"
kvox="$drive_c/windows/KVOX"
win_ini="$drive_c/windows/win.ini"
trap 'chattr -i "$win_ini" 2>/dev/null; rm -rf "$work"' EXIT

# Runs uninst.exe /w and answers the one message it shows (its progress dialog has the
# same caption, but no button).
uninstall_answering_message() {
    start_setup 'C:\windows\KVOX\uninst.exe' /w
    wait_for_control "K-VOX Uninstall" '^1 Button'
    drive click "K-VOX Uninstall" 1
    wait_setup
}

reset_machine
snapshot before
start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
wait_setup
wait_for_restart
snapshot installed
cp "$kvox/uninst.inf" "$work/uninst.inf"

printf '[Enabled]\r\nEnabled=Perhaps\r\n[Location]\r\nC:\\windows\\KVOX\\= \r\n' > "$kvox/uninst.inf"
uninstall_answering_message
expect_drawn "is damaged: its [Enabled] section does not say Yes or No."
snapshot after
expect_same_machine "damaged record" installed after

printf '[Enabled]\r\nEnabled=No\r\n' > "$kvox/uninst.inf"
uninstall_answering_message
expect_drawn "K-VOX cannot be uninstalled"
snapshot after
expect_same_machine "Enabled=No" installed after

# win.ini cannot be written: its values fail, everything else is put back.
cp "$work/uninst.inf" "$kvox/uninst.inf"
chattr +i "$win_ini" || fail "cannot make win.ini unwritable (root needed)"
uninstall_answering_message
chattr -i "$win_ini"
expect_drawn "K-VOX Uninstall could not put back or remove everything (failures: 22)."
expect_file "$kvox/uninst.inf"
expect_file "$kvox/setup1.inf"
snapshot after
cmp -s "$work/installed.win.ini" "$work/after.win.ini" || fail "win.ini changed though it could not be written"
cmp -s "$work/before.system.ini" "$work/after.system.ini" || fail "system.ini was not put back"
tr -d '\r' < "$kvox/uninst.log" | grep -qx 'Could not restore \[intl\] sCountry in win.ini' ||
    fail "the log does not name the value that failed"

# A second run puts back the rest and finishes.
start_setup 'C:\windows\KVOX\uninst.exe' /w
wait_setup
snapshot after
expect_same_machine "second run" before after ./windows/KVOX/uninst.exe
