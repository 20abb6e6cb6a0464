# An unattended installation from the three disks in drive A:, each later disk asked for;
# then a second installation over it, answered No, that keeps the old files. Given the
# 32-bit build as $2, the same with its setup.exe and disks (e2e32_unattended).
. "$(dirname "$0")/lib.sh"
reset_machine
insert_disk 1

start_setup 'A:\SETUP.EXE' /o '/sA:\'
answer_disk_prompts 2 3
wait_setup
expect_eq "$setup_exit" 0 "exit code"

golden() { # NAME: standard input against expected/NAME
    tr -d '\r' | diff "$(dirname "$0")/expected/$1" - >&2 || fail "$1 differs from what is expected"
}
# The log as a whole: flags, which file went where from which disk in which order, every
# value saved and written; the uninstaller's size varies by build, and the 32-bit build's
# programs and libraries have sizes of their own.
sizes='s/^\(C:.*\\uninst\.exe\) [0-9]*$/\1 SIZE/'
[ "$system_dir" = windows/syswow64 ] && sizes='s/^\(C:.*\.\(exe\|dll\|drv\|kbd\)\) [0-9]*$/\1 SIZE/'
tr -d '\r' < "$install_log" > "$work/log"
sed "$sizes" "$(dirname "$0")/expected/install.log" > "$work/expected.log"
sed "$sizes" "$work/log" | diff "$work/expected.log" - >&2 || fail "install.log differs from what is expected"
# Every file the log names is in place and byte-equal to its original.
expect_eq "$(expect_copied_files_equal_originals "$work/log")" 37 "files copied"

# The uninstall record and the configuration made (control.old is the old control.inf).
golden uninst.inf < "$kvox/uninst.inf"
golden win.ini < "$drive_c/windows/win.ini"
golden system.ini < "$drive_c/windows/system.ini"
golden control.inf < "$drive_c/$system_dir/control.inf"
tr -d '\r' < "$drive_c/$system_dir/control.old" | cmp -s "$root/scripts/win95/control.inf" - ||
    fail "control.old is not the old control.inf"
font_keys | golden registry.txt
tr -d '\r' < "$drive_c/windows/k-vox.ini" > "$work/profile"
grep -qx '\[Location\]' "$work/profile" && grep -qx 'C:\\windows\\KVOX\\=' "$work/profile" || fail "k-vox.ini [Location]"
sed -n '/^\[country\]/,/^\[/p' "$work/profile" | grep -qx 'RUS=' || fail "k-vox.ini [country]"
grep -a -q '^English (US)=00000409,KBDUS.KBD,2,US,USA' "$work/profile" || fail "no [KVNLS] in k-vox.ini"

# The group holds every chosen component's item, StartUp the indicator, once the setup has
# ended, though it restarts Windows.
(cd "$programs_menu/K-VOX" && ls) > "$work/group"
printf '%s\n' "K-VOX Editor.lnk" "K-VOX Indicator.lnk" "K-VOX Keyboard Editor.lnk" "K-VOX Keyboard.lnk" \
    "K-VOX Picture Viewer.lnk" "Uninstall K-VOX.lnk" | diff - "$work/group" >&2 || fail "the K-VOX group differs"
expect_file "$programs_menu/StartUp/K-VOX Indicator.lnk"
strings -a "$programs_menu/K-VOX/K-VOX Editor.lnk" | grep -qi 'windows\\KVOX\\kvedit\.exe' ||
    fail "the editor's item does not start C:\\windows\\KVOX\\kvedit.exe"

# AskRestartOrReturn is off: Windows restarts without a question.
started "wineboot.exe --end-session" || fail "no restart was asked for"
started "--shutdown" && fail "shut down instead of restarting"
expect_not_drawn "K-VOX installation complete."

# A second installation answered No: nothing copied again, the records stay.
cp "$kvox/uninst.inf" "$work/uninst.before"
printf '[country]\r\nXXX= \r\n' >> "$drive_c/windows/k-vox.ini"
insert_disk 1
start_setup 'A:\SETUP.EXE' /o '/sA:\'
drive wait "K-VOX Setup" 30000 ";" click "K-VOX Setup" 2
wait_setup
expect_drawn "K-VOX already installed. Replace old files and K-VOX information?"
tr -d '\r' < "$install_log" > "$work/log2"
grep -qx ' K-VOX Already Installed=1' "$work/log2" || fail "second run did not find the first"
grep -q '^C:\\.* [0-9]*$' "$work/log2" && fail "files copied again: $(grep '^C:\\' "$work/log2" | head -3)"
cmp -s "$work/uninst.before" "$kvox/uninst.inf" || fail "uninst.inf changed"
tr -d '\r' < "$drive_c/windows/k-vox.ini" | grep -qx 'XXX=' || fail "k-vox.ini [country] was rewritten"
