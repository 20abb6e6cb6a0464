# The 32-bit setup.exe from the 32-bit disks: an unattended installation from the three
# disks in drive A:, each later disk asked for, leaves what the 64-bit one leaves.
. "$(dirname "$0")/../e2e/lib.sh"
reset_machine
insert_disk 1

start_setup 'A:\SETUP.EXE' /o '/sA:\'
answer_disk_prompts 2 3
wait_setup
expect_eq "$setup_exit" 0 "exit code"

expected="$root/tests/e2e/expected"
# The package's programs and libraries are built for each width: their sizes differ.
without_sizes() { tr -d '\r' | sed -E 's/^(C:.*\.(exe|dll|drv|kbd)) [0-9]+$/\1 SIZE/'; }
golden() { # NAME: standard input against expected/NAME
    diff "$expected/$1" - >&2 || fail "$1 differs from what is expected"
}
without_sizes < "$expected/install.log" > "$work/expected.log"
without_sizes < "$install_log" | diff "$work/expected.log" - >&2 || fail "install.log differs from what is expected"
tr -d '\r' < "$install_log" > "$work/log"
expect_eq "$(expect_copied_files_equal_originals "$work/log")" 37 "files copied"

tr -d '\r' < "$kvox/uninst.inf" | golden uninst.inf
tr -d '\r' < "$drive_c/windows/win.ini" | golden win.ini
tr -d '\r' < "$drive_c/windows/system.ini" | golden system.ini
tr -d '\r' < "$drive_c/$system_dir/control.inf" | golden control.inf
tr -d '\r' < "$drive_c/$system_dir/control.old" | cmp -s "$root/scripts/win95/control.inf" - ||
    fail "control.old is not the old control.inf"
font_keys | golden registry.txt
(cd "$programs_menu/K-VOX" && ls) | grep -c '\.lnk$' | grep -qx 6 || fail "the K-VOX group lacks items"
expect_file "$programs_menu/StartUp/K-VOX Indicator.lnk"
started "wineboot.exe --end-session" || fail "no restart was asked for"
