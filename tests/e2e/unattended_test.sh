# An unattended OEM installation from the three sample disks in drive A:, each later disk
# asked for and put in; then a second installation over it that keeps the old files.
. "$(dirname "$0")/lib.sh"
reset_machine
insert_disk 1

start_setup 'A:\SETUP.EXE' /o '/sA:\'
answer_disk_prompt 2
answer_disk_prompt 3
wait_setup
expect_eq "$setup_exit" 0 "exit code"

expect_file "$install_log"
tr -d '\r' < "$install_log" > "$work/log"
cat > "$work/head" <<'LOG'
Log file created.
Installing components and flags:
 Windows version=4.0
 Country key=RUS
 System Fonts Code Page=1251
 DOS Code Page=866
 Hot Key=Left Ctrl
 Program Files=1
 Layouts=1
 Fonts=1
 Applications=1
 TrueType Fonts=1
 Screen Fonts=1
 Developers Kit Sample=0
 24-pin Printers Present=1
  9-pin Printers Present=0
 Printer Drivers to Update=0
 Printer Fonts=0
 24-pin Printer Fonts=0
  9-pin Printer Fonts=0
 K-VOX Already Installed=0
 Uninstall Enabled=1
 Replace Old Files=1
Begin copying...
Setup.exe start directory: A:\
Source directory: A:\
LOG
head -n 26 "$work/log" | diff "$work/head" - >&2 || fail "log header differs"
expect_eq "$(tail -n 2 "$work/log" | tr '\n' '|')" "Releasing allocated memory...|Exiting Setup...|" "end of the log"
# Which file went where, from which disk, in which order: the copying lines as a whole.
# The uninstaller's size changes with every build of it.
sed -n '/^Source directory:/,/^Copying complete\.$/p' "$work/log" |
    sed 's/^\(C:.*\\uninst\.exe\) [0-9]*$/\1 SIZE/' > "$work/copying.log"
diff "$(dirname "$0")/expected/copying.log" "$work/copying.log" >&2 || fail "the copying's log lines differ"
# Files of the Windows and system sections land in those directories.
expect_file "$drive_c/windows/kvreadme.txt"
expect_file "$drive_c/windows/system32/kvoxnls.dll"
grep -q '^Editing K-VOX.INI complete\.$' "$work/log" || fail "k-vox.ini step not logged"
grep -qx 'Prompt: Insert disk or type path to file xlat866.bin' "$work/log" || fail "disk 2 not asked for"
grep -qx 'Prompt: Insert disk or type path to file EGA80866.fon' "$work/log" || fail "disk 3 not asked for"

# Every copied file is byte-equal to its original: the program files, layouts and the
# fonts of the country's defaults (VGA size, code page 1251 and 866), TrueType loaded.
copied=$(expect_copied_files_equal_originals "$work/log")
expect_eq "$copied" 38 "files copied"
for file in windows/KVOX/kvedit.exe windows/system32/kbdru.kbd windows/Fonts/vgasysr.fon windows/KVOX/dejavus.ttf; do
    expect_file "$drive_c/$file"
done
grep -q '^\.TTF not loaded\.$' "$work/log" && fail "a TrueType font was not loaded"

# The records of the installation and the configuration it made: the uninstall record with
# every value that stood before, win.ini, system.ini, control.inf (control.old is the old
# one), the registry, and the log's saving and writing lines in their order.
expected="$(dirname "$0")/expected"
same_as_expected() { # FILE NAME
    tr -d '\r' < "$1" | diff "$expected/$2" - >&2 || fail "$2 differs from what is expected"
}
same_as_expected "$drive_c/windows/KVOX/uninst.inf" uninst.inf
same_as_expected "$drive_c/windows/win.ini" win.ini
same_as_expected "$drive_c/windows/system.ini" system.ini
same_as_expected "$drive_c/windows/system32/control.inf" control.inf
tr -d '\r' < "$root/scripts/win95/control.inf" > "$work/control.before"
tr -d '\r' < "$drive_c/windows/system32/control.old" | cmp -s "$work/control.before" - ||
    fail "control.old is not the old control.inf"
sed -n '/^Copying complete/,/^Updating system information complete/p' "$work/log" > "$work/configuration.log"
diff "$expected/configuration.log" "$work/configuration.log" >&2 || fail "the configuration's log lines differ"
for key in 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Fonts' \
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\FontSubstitutes' 'HKCC\Display\Fonts' 'HKCC\Display\Settings'; do
    wine reg query "$key" 2>/dev/null | tr -d '\r'
done > "$work/registry.txt"
diff "$expected/registry.txt" "$work/registry.txt" >&2 || fail "the registry differs"
tr -d '\r' < "$drive_c/windows/k-vox.ini" > "$work/profile"
grep -qx '\[Location\]' "$work/profile" && grep -qx 'C:\\windows\\KVOX\\=' "$work/profile" || fail "k-vox.ini [Location]"
sed -n '/^\[country\]/,/^\[/p' "$work/profile" | grep -qx 'RUS=' || fail "k-vox.ini [country]"
grep -a -q '^English (US)=00000409,KBDUS.KBD,2,US,USA' "$work/profile" || fail "no [KVNLS] in k-vox.ini"

# Program Manager's group holds every item of the chosen components, the start-up group the
# first program; they are there once the setup has ended, though it restarts Windows.
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
cp "$drive_c/windows/KVOX/uninst.inf" "$work/uninst.before"
printf '[country]\r\nXXX= \r\n' >> "$drive_c/windows/k-vox.ini"
insert_disk 1
start_setup 'A:\SETUP.EXE' /o '/sA:\'
drive wait "K-VOX Setup" 30000 ";" click "K-VOX Setup" 2
wait_setup
expect_drawn "K-VOX already installed. Replace old files and K-VOX information?"
tr -d '\r' < "$install_log" > "$work/log2"
grep -qx ' K-VOX Already Installed=1' "$work/log2" || fail "second run did not find the first"
grep -q '^C:\\.* [0-9]*$' "$work/log2" && fail "files copied again: $(grep '^C:\\' "$work/log2" | head -3)"
cmp -s "$work/uninst.before" "$drive_c/windows/KVOX/uninst.inf" || fail "uninst.inf changed"
tr -d '\r' < "$drive_c/windows/k-vox.ini" | grep -qx 'XXX=' || fail "k-vox.ini [country] was rewritten"
true
