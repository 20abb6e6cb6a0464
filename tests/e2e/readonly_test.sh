# An unwritable win.ini: the failed write is reported, the rest of the configuration goes on.
. "$(dirname "$0")/lib.sh"
reset_machine
win_ini="$drive_c/windows/win.ini"
chattr +i "$win_ini" || fail "cannot make win.ini unwritable (root needed)"
trap 'chattr -i "$win_ini"; finish' EXIT

start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
drive wait "K-VOX Setup" 60000 ";" key "K-VOX Setup" enter
wait_setup
chattr -i "$win_ini"
expect_drawn "Can't write 'sLanguage' =  'rus' in section 'intl'"
tr -d '\r' < "$install_log" | grep -qx 'Updating system information complete.' || fail "the configuration did not go on"
grep -q '^wincodepage=1251' "$drive_c/windows/system.ini" || fail "system.ini was not updated"
grep -q '^sLanguage=enu' "$win_ini" || fail "win.ini changed"
tr -d '\r' < "$kvox/uninst.inf" | grep -qx 'sCountry=United States' || fail "the saved [intl] is lost"
