# A second package, whose uninstall section lists only the uninstaller: installed, then
# removed, it leaves the machine as it stood, and the keyboard layout file it shares with
# Windows comes back as Windows had it.
. "$(dirname "$0")/lib.sh"
ONEDIR="$tested/lite/ONEDIR"
ORIGINALS="$tested/lite/ORIGINALS"
kbdus="$drive_c/$system_dir/kbdus.kbd"

reset_machine
snapshot before
install_oem
expect_eq "$setup_exit" 0 "exit code"
wait_for_restart
expect_no_file "$kvox/setup1.inf"
cmp -s "$kbdus" "$ORIGINALS/kbdus.kbd" || fail "the package's kbdus.kbd was not installed"
kept=$(tr -d '\r' < "$kvox/uninst.lst" | awk -F '\t' 'tolower($2) ~ /kbdus\.kbd$/ { print $4 }')
cmp -s "$kvox/KEPT/$kept" "$root/scripts/win95/kbdus.kbd" || fail "no kept copy of Windows' kbdus.kbd"

start_setup "$uninst" /w
wait_setup
expect_eq "$setup_exit" 0 "uninstaller's exit code"
cmp -s "$kbdus" "$root/scripts/win95/kbdus.kbd" || fail "Windows' kbdus.kbd did not come back"
expect_machine_as "second package" before ./windows/KVOX/uninst.exe
[ -e "$kvox/KEPT" ] && fail "the kept copies' directory stayed"
tr -d '\r' < "$kvox/uninst.log" | grep -qxF 'Restored file C:\windows\system32\kbdus.kbd' ||
    fail "uninst.log does not name the restored layout file"
