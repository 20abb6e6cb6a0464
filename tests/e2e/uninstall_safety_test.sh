# The uninstaller leaves Windows no worse than it found it: a file that a value it cannot
# put back still names stays; a record kept after failures still tells a later setup that
# the package is here; a setup stopped halfway is undone; /r restarts whatever the record.
. "$(dirname "$0")/lib.sh"
system_ini="$drive_c/windows/system.ini"
trap 'chattr -i "$system_ini" 2>/dev/null; finish' EXIT

# system.ini cannot be written: its drivers stay, and so do their files.
reset_machine
snapshot before
install_oem
wait_for_restart
snapshot installed
chattr +i "$system_ini" || fail "cannot make system.ini unwritable (root needed)"
uninstall_answering_message /w
chattr -i "$system_ini"
expect_drawn "K-VOX Uninstall could not put back or remove everything"
snapshot partial
cmp -s "$work/installed.system.ini" "$work/partial.system.ini" || fail "system.ini changed though it could not be written"
expect_file "$drive_c/$system_dir/kvkbd.drv"
expect_named_files_exist "after a partial uninstall"
tr -d '\r' < "$kvox/uninst.log" |
    grep -qxF 'Left file C:\windows\system32\kvkbd.drv: it is named by [boot] keyboard.drv' ||
    fail "the log does not say which value holds kvkbd.drv"
expect_file "$kvox/uninst.inf"
expect_file "$kvox/uninst.lst"
expect_file "$drive_c/windows/k-vox.ini"

# A setup into the same directory still finds the package installed; the record stays whole,
# and an uninstall afterwards puts back the values from before the first installation.
cp "$kvox/uninst.inf" "$work/uninst.inf"
start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
drive wait "K-VOX Setup" 30000 ";" click "K-VOX Setup" 1
wait_setup
wait_for_restart
expect_drawn "K-VOX already installed. Replace old files and K-VOX information?"
cmp -s "$work/uninst.inf" "$kvox/uninst.inf" || fail "the second setup changed the kept record"
start_setup "$uninst" /w
wait_setup
expect_machine_as "after the second setup" before ./windows/KVOX/uninst.exe

# A setup stopped at the second disk: what it copied goes.
reset_machine
insert_disk 1
start_setup 'A:\SETUP.EXE' /o '/sA:\'
poll "no prompt for disk 2" prompt_for_disk 2
drive click "K-VOX Setup" 2
wait_for_control "K-VOX Setup" '^1 Button'
drive click "K-VOX Setup" 1
wait_for_control "K-VOX Setup" '^1 Button'
drive click "K-VOX Setup" 1
wait_setup
expect_drawn "Setup cancelled."
expect_file "$kvox/kvox.exe"
start_setup "$uninst" /w
wait_setup
expect_machine_as "after a stopped setup" before ./windows/KVOX/uninst.exe

# A record that cannot be undone still ends as asked: /r restarts, after its message.
reset_machine
install_oem
wait_for_restart
printf '[Enabled]\r\nEnabled=No\r\n' > "$kvox/uninst.inf"
uninstall_answering_message /r
expect_drawn "K-VOX cannot be uninstalled"
started "wineboot.exe --end-session" || fail "uninst.exe /r did not restart Windows"
