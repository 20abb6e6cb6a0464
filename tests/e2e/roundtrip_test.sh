# Installed, then removed by its uninstaller, the package leaves the machine as it stood;
# only the uninstaller and its log stay behind.
. "$(dirname "$0")/lib.sh"

# Unattended installation, then uninst.exe /w as the setup would start it: no question.
reset_machine
snapshot before
install_oem
wait_for_restart
# The indicator runs, as after a restart; the uninstaller closes it to remove its file.
wine 'C:\windows\KVOX\kvox.exe' >/dev/null 2>&1 &
indicator=$!
trap 'kill "$indicator" 2>/dev/null || true; finish' EXIT
drive wait-class K-VOXIndicatorClass
start_setup "$uninst" /w
wait_setup
expect_eq "$setup_exit" 0 "uninstaller's exit code"
expect_not_drawn "Remove K-VOX and put back the settings it changed?"
started "wineboot" && fail "the uninstaller restarted Windows though /w was given"
expect_machine_as "unattended" before ./windows/KVOX/uninst.exe
# Windows' own US layout, which every country's defaults install over, is Windows' again.
cmp -s "$drive_c/$system_dir/kbdus.kbd" "$root/scripts/win95/kbdus.kbd" || fail "Windows' kbdus.kbd was lost"
[ -e "$programs_menu/K-VOX" ] && fail "the K-VOX group is still there"
tr -d '\r' < "$kvox/uninst.log" > "$work/log"
for line in 'Uninstall complete.' 'Restored [boot] wincodepage=1252' 'Removed file C:\windows\system32\kvoxnls.dll'; do
    grep -qxF "$line" "$work/log" || fail "uninst.log lacks '$line'"
done

# A second run has nothing to work on: it says so and changes nothing.
uninstall_answering_message /w
expect_drawn "was not found, so K-VOX Uninstall cannot tell what Setup installed and changed."
expect_machine_as "second run" before ./windows/KVOX/uninst.exe
