# The 32-bit uninst.exe puts back what the 32-bit setup.exe changed.
. "$(dirname "$0")/../e2e/lib.sh"
reset_machine
snapshot before
install_oem
wait_for_restart
start_setup "$uninst" /w
wait_setup
expect_eq "$setup_exit" 0 "uninstaller's exit code"
started "wineboot" && fail "the uninstaller restarted Windows though /w was given"
expect_machine_as "32-bit round trip" before ./windows/KVOX/uninst.exe
[ -e "$programs_menu/K-VOX" ] && fail "the K-VOX group is still there"
tr -d '\r' < "$kvox/uninst.log" | grep -qxF 'Uninstall complete.' || fail "uninst.log does not end complete"
