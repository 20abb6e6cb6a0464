# Installations from one directory: express, a second one answered Yes then undone, and one
# without fonts, whose uninstall record says it cannot be undone.
. "$(dirname "$0")/lib.sh"

# Express: no welcome and no options; the country dialog and the exit dialog stay.
reset_machine
snapshot before
start_setup "$ONEDIR/SETUP.EXE" /e "$(onedir_switch)"
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
wait_for_control "K-VOX Setup" '^1030 '
drive click "K-VOX Setup" 1030
wait_setup
expect_not_drawn "Setup for Nimbra Systems K-VOX will:"
started "wineboot.exe --end-session" || fail "no restart after Reboot System"
expect_file "$programs_menu/K-VOX/K-VOX Keyboard.lnk"
cp "$kvox/uninst.inf" "$work/uninst.first"

# A second installation answered Yes: every file copied again, the first record kept, so
# one uninstall brings back the values from before the first.
wait_for_restart
rm "$kvox/kvox.exe"
start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
wait_setup
wait_for_restart
expect_drawn "K-VOX already installed. Replace old files and K-VOX information?"
expect_file "$kvox/kvox.exe"
tr -d '\r' < "$install_log" | grep -qx 'C:\\windows\\KVOX\\kvkeyb.exe 4608' || fail "files were not copied again"
cmp -s "$work/uninst.first" "$kvox/uninst.inf" || fail "the second installation changed uninst.inf"
start_setup "$uninst" /r
wait_setup
started "wineboot.exe --end-session" || fail "no restart after uninst.exe /r"
expect_machine_as "two installations" before ./windows/KVOX/uninst.exe

# Without fonts, and the warning answered Yes: no saved values, nothing to undo.
reset_machine
start_setup "$ONEDIR/SETUP.EXE" "$(onedir_switch)"
drive wait Welcome ";" click Welcome 1
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
drive wait "Installation Options" ";" click "Installation Options" 1111 ";" click "Installation Options" 1
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
wait_for_control "K-VOX Setup" '^1030 '
drive click "K-VOX Setup" 1032
wait_setup
expect_drawn "Otherwise Uninstall will be disabled. Continue?"
expect_eq "$(tr -d '\r' < "$kvox/uninst.inf")" \
    "$(printf '[languages.installed]\nEnglish (US)=USA\nRussian=RUS\n[Enabled]\nEnabled=No')" "uninst.inf without fonts"
[ -e "$kvox/uninst.exe" ] && fail "the uninstaller was copied though uninstall is off"
[ -e "$drive_c/windows/Fonts/vgasysr.fon" ] && fail "fonts were copied though Fonts was off"
grep -q '^wincodepage=1251' "$drive_c/windows/system.ini" || fail "system.ini was not updated"
tr -d '\r' < "$install_log" | grep -q '^ Saving' && fail "values were saved though uninstall is off"
[ -e "$programs_menu/K-VOX/Uninstall K-VOX.lnk" ] && fail "an uninstall icon without an uninstaller"
expect_file "$programs_menu/K-VOX/K-VOX Indicator.lnk"
