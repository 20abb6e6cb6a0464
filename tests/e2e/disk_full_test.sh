# A destination drive that is too small: the free-space message, Abort, Retry, Ignore; then
# the drive fills up during a copy and the write error's question stops the setup.
. "$(dirname "$0")/lib.sh"
reset_machine
# Drive D: of the prefix is a tmpfs of 256 KB.
small="$work/small"
mkdir "$small"
mount -t tmpfs -o size=256k tmpfs "$small" || fail "cannot mount a tmpfs (root needed)"
trap 'umount "$small" 2>/dev/null; rm -f "$WINEPREFIX/dosdevices/d:"; finish' EXIT
ln -sfn "$small" "$WINEPREFIX/dosdevices/d:"

start_setup "$ONEDIR/SETUP.EXE" "$(onedir_switch)"
drive wait Welcome ";" click Welcome 1
drive wait "K-VOX Setup" ";" settext "K-VOX Setup" 1101 'D:\KVOX' ";" click "K-VOX Setup" 1
drive wait "Installation Options" ";" click "Installation Options" 1

# The message: the Windows drive first, then the destination drive; Retry is preselected.
drive wait "K-VOX Setup" ";" controls "K-VOX Setup" > "$work/controls"
grep -q '^2 Button visible enabled default "Retry"' "$work/controls" || fail "Retry is not preselected"
expect_drawn 'Insufficient disk space:\r\n\r\nDestination directory: D:\\KVOX\\\r\nWindows drive [C:]'
grep -a -o 'Destination drive \[D:\]  Free: [0-9]*KB   Need: [0-9]*KB' "$work/trace" | head -n 1 > "$work/line"
free=$(sed 's/.*Free: \([0-9]*\)KB.*/\1/' "$work/line")
[ -n "$free" ] && [ "$free" -le 256 ] || fail "destination line: $(cat "$work/line")"
expect_drawn 'Switch to file manager application, free some disk space\r\nand then press Retry button.'

# Abort goes back to the options; Continue and Retry each ask again; Ignore copies anyway.
drive click "K-VOX Setup" 1
drive wait "Installation Options" ";" click "Installation Options" 1
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 2
drive wait "K-VOX Setup" ";" click "K-VOX Setup" 5

# The disk fills up: the write error's question with No preselected; Enter answers No.
drive wait "K-VOX Setup" 60000 ";" controls "K-VOX Setup" > "$work/controls"
grep -q '^2 Button visible enabled default "No"' "$work/controls" || fail "No is not preselected: $(cat "$work/controls")"
expect_drawn 'Can not write destination file: D:\\KVOX\\'
drive key "K-VOX Setup" enter
drive wait "K-VOX Setup" ";" key "K-VOX Setup" enter
wait_setup
expect_drawn "Setup cancelled. K-VOX may not properly installed now."
tr -d '\r' < "$small/KVOX/KVSETUP.LOG" > "$work/log"
grep -q ' - write error, possible reason: out of disk space\.$' "$work/log" || fail "no write error in the log"
tail -n 5 "$work/log" | grep -qx 'Copying stopped by user.' || fail "the stop is not logged"
grep -qx 'Copying not complete.' "$work/log" || fail "copying not marked incomplete"
# What was copied before the disk filled up stays.
expect_file "$small/KVOX/kvox.exe"
