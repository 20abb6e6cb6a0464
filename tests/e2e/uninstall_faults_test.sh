# The uninstaller's faults: a damaged or disabled record changes nothing; an unwritable
# win.ini is reported, the rest put back, and a later run finishes the job.
. "$(dirname "$0")/lib.sh"
win_ini="$drive_c/windows/win.ini"
trap 'chattr -i "$win_ini" 2>/dev/null; finish' EXIT

reset_machine
snapshot before
install_oem
wait_for_restart
snapshot installed
cp "$kvox/uninst.inf" "$work/uninst.inf"

printf '[Enabled]\r\nEnabled=Perhaps\r\n[Location]\r\nC:\\windows\\KVOX\\= \r\n' > "$kvox/uninst.inf"
uninstall_answering_message /w
expect_drawn "is damaged: its [Enabled] section does not say Yes or No."
expect_machine_as "damaged record" installed

printf '[Enabled]\r\nEnabled=No\r\n' > "$kvox/uninst.inf"
uninstall_answering_message /w
expect_drawn "K-VOX cannot be uninstalled"
expect_machine_as "Enabled=No" installed

# win.ini cannot be written: its values fail, everything else is put back.
cp "$work/uninst.inf" "$kvox/uninst.inf"
chattr +i "$win_ini" || fail "cannot make win.ini unwritable (root needed)"
uninstall_answering_message /w
chattr -i "$win_ini"
expect_drawn "K-VOX Uninstall could not put back or remove everything (failures: 22)."
expect_file "$kvox/uninst.lst"
expect_file "$drive_c/windows/k-vox.ini"
snapshot after
cmp -s "$work/installed.win.ini" "$work/after.win.ini" || fail "win.ini changed though it could not be written"
cmp -s "$work/before.system.ini" "$work/after.system.ini" || fail "system.ini was not put back"
tr -d '\r' < "$kvox/uninst.log" | grep -qx 'Could not restore \[intl\] sCountry in win.ini' ||
    fail "the log does not name the value that failed"

# A second run puts back the rest and finishes.
start_setup "$uninst" /w
wait_setup
expect_machine_as "second run" before ./windows/KVOX/uninst.exe
