# Two installations in different directories, uninstalled in either order: the one left
# works on (its values name files that are there, its group and start-up item are its own),
# and uninstalling both leaves the machine as it stood before the first.
. "$(dirname "$0")/lib.sh"
second='C:\KVOX2'
second_dir="$drive_c/KVOX2"
item_starts() { strings -a "$1" | grep -qi "$2"; }

install_both() {
    reset_machine
    snapshot before
    install_oem
    wait_for_restart
    install_express_into "$second"
    expect_file "$second_dir/uninst.lst"
    # The second installation kept copies of the first one's files it replaced.
    ls "$second_dir/KEPT" | grep -q '\.KEP$' || fail "the second installation kept no copies"
}

# The first one uninstalled first: the second one takes over what both wrote.
install_both
start_setup "$uninst" /w
wait_setup
expect_named_files_exist "after uninstalling the first"
expect_file "$drive_c/$system_dir/kvkbd.drv"
tr -d '\r' < "$drive_c/windows/system.ini" | grep -qx 'woafont=C:\\KVOX2\\app866.fon' || fail "the second's DOS font went"
tr -d '\r' < "$drive_c/windows/k-vox.ini" | grep -qix 'C:\\KVOX2\\=' || fail "k-vox.ini no longer names the second"
item_starts "$programs_menu/K-VOX/K-VOX Editor.lnk" 'KVOX2\\kvedit\.exe' || fail "the group lost the second's items"
expect_no_file "$kvox/kvox.exe"
start_setup "$second\\uninst.exe" /w
wait_setup
expect_machine_as "both, first one first" before ./windows/KVOX/uninst.exe ./KVOX2/uninst.exe
[ -e "$programs_menu/K-VOX" ] && fail "the K-VOX group is still there"

# The second one uninstalled first: the first one's files, values and icons come back.
install_both
start_setup "$second\\uninst.exe" /w
wait_setup
expect_named_files_exist "after uninstalling the second"
tr -d '\r' < "$drive_c/windows/system.ini" | grep -qx 'woafont=C:\\windows\\KVOX\\app866.fon' ||
    fail "the first's DOS font did not come back"
tr -d '\r' < "$drive_c/windows/k-vox.ini" | grep -qix 'C:\\windows\\KVOX\\=' || fail "k-vox.ini does not name the first"
poll "the first's items did not come back" item_starts "$programs_menu/K-VOX/K-VOX Editor.lnk" 'windows\\KVOX\\kvedit\.exe'
expect_file "$programs_menu/StartUp/K-VOX Indicator.lnk"
start_setup "$uninst" /w
wait_setup
expect_machine_as "both, second one first" before ./windows/KVOX/uninst.exe ./KVOX2/uninst.exe
