# Complete installations from one directory: express, a second installation answered Yes,
# and an installation without fonts, whose uninstall record says it cannot be undone.
. "$(dirname "$0")/lib.sh"
options="Installation Options"

# Express: no welcome and no options; the country dialog and the exit dialog stay.
reset_machine
start_setup "$ONEDIR/SETUP.EXE" /e "$(onedir_switch)"
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
until wine "$build/tools/kvdrive.exe" text "K-VOX Setup" 1030 >/dev/null 2>&1; do sleep 0.3; done
drive click "K-VOX Setup" 1030
wait_setup
expect_not_drawn "Setup for Nimbra Systems K-VOX will:"
started "wineboot.exe --end-session" || fail "no restart after Reboot System"
expect_file "$drive_c/windows/KVOX/kvox.exe"
expect_file "$programs_menu/K-VOX/K-VOX Keyboard.lnk"
cp "$drive_c/windows/KVOX/uninst.inf" "$work/uninst.first"

# A second installation answered Yes: every file copied again, the first record kept.
rm "$drive_c/windows/KVOX/kvox.exe"
start_setup "$ONEDIR/SETUP.EXE" /o "$(onedir_switch)"
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
wait_setup
expect_drawn "K-VOX already installed. Replace old files and K-VOX information?"
expect_file "$drive_c/windows/KVOX/kvox.exe"
tr -d '\r' < "$install_log" | grep -qx 'C:\\windows\\KVOX\\kvkeyb.exe 4608' || fail "files were not copied again"
cmp -s "$work/uninst.first" "$drive_c/windows/KVOX/uninst.inf" || fail "the second installation changed uninst.inf"

# Without fonts, and the warning answered Yes: no saved values, nothing to undo.
reset_machine
start_setup "$ONEDIR/SETUP.EXE" "$(onedir_switch)"
drive wait Welcome ";" click Welcome 1
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
drive wait "$options" ";" click "$options" 1111 ";" click "$options" 1
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 1
until wine "$build/tools/kvdrive.exe" text "K-VOX Setup" 1030 >/dev/null 2>&1; do sleep 0.3; done
drive click "K-VOX Setup" 1032
wait_setup
expect_drawn "Otherwise Uninstall will be disabled. Continue?"
expect_eq "$(tr -d '\r' < "$drive_c/windows/KVOX/uninst.inf")" \
    "$(printf '[languages.installed]\nEnglish (US)=USA\nRussian=RUS\n[Enabled]\nEnabled=No')" "uninst.inf without fonts"
[ -e "$drive_c/windows/KVOX/uninst.exe" ] && fail "the uninstaller was copied though uninstall is off"
[ -e "$drive_c/windows/Fonts/vgasysr.fon" ] && fail "fonts were copied though Fonts was off"
grep -q '^wincodepage=1251' "$drive_c/windows/system.ini" || fail "system.ini was not updated"
tr -d '\r' < "$install_log" | grep -q '^ Saving' && fail "values were saved though uninstall is off"
[ -e "$programs_menu/K-VOX/Uninstall K-VOX.lnk" ] && fail "an uninstall icon without an uninstaller"
expect_file "$programs_menu/K-VOX/K-VOX Indicator.lnk"
true
