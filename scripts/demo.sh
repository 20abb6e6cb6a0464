#!/bin/sh
# make demo: sets everything up and runs the setup from the first sample disk.
#
# With a display (DISPLAY set) the Wine desktop opens on it and you click through the
# setup yourself. Without one the setup runs unattended under Xvfb (the OEM install flags
# of the sample answer every question), its log is printed, and screenshots of its screens
# are left in build/demo/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/make-prefix.sh"

disk1="$root/build/win64/disks/DISK1"
onedir="$root/build/win64/disks/ONEDIR"
shots="$root/build/demo"
log_path="build/wineprefix/drive_c/windows/KVOX/KVSETUP.LOG"

driver() { wine "$root/build/win64/tools/kvdrive.exe" "$@" >/dev/null; }
pixel() { convert "$1" -format "%[pixel:p{$2}]" info: 2>/dev/null; }

# Runs the setup in slow motion: it is paused every few milliseconds while a frame of the
# screen is taken, so that the quick copy phase shows up in the frames.
run_filmed() {
    rm -rf "$shots/frames" && mkdir -p "$shots/frames"
    wine "$onedir/SETUP.EXE" "$@" &
    pid=$!
    i=0
    while kill -0 "$pid" 2>/dev/null; do
        kill -STOP "$pid" 2>/dev/null || break
        xwd -root -silent > "$shots/frames/$(printf %05d $i).xwd" 2>/dev/null || true
        kill -CONT "$pid" 2>/dev/null || true
        sleep 0.005
        i=$((i + 1))
    done
    wait "$pid" || true
}

# Keeps the first frame that shows the blue setup screen alone, and one from the middle of
# those that show the progress window with the billboard.
keep_frames() {
    screen=""
    : > "$shots/frames/progress"
    for frame in "$shots"/frames/*.xwd; do
        [ -s "$frame" ] || continue
        [ "$(pixel "$frame" 512,5)" = "srgb(0,0,255)" ] || continue
        if [ "$(pixel "$frame" 512,384)" = "srgb(192,192,192)" ]; then
            [ "$(pixel "$frame" 30,150)" = "srgb(192,192,192)" ] && echo "$frame" >> "$shots/frames/progress"
        elif [ -z "$screen" ]; then
            screen=$frame
        fi
    done
    count=$(wc -l < "$shots/frames/progress")
    progress=$(sed -n "$(((count + 1) / 2))p" "$shots/frames/progress")
    [ -n "$screen" ] && convert "$screen" "$shots/1-setup-screen.png"
    [ -n "$progress" ] && convert "$progress" "$shots/2-progress-and-billboard.png"
    rm -rf "$shots/frames"
}

# The values of the four registry keys that the configuration edits.
dump_registry() {
    for key in 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Fonts' \
        'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\FontSubstitutes' 'HKCC\Display\Fonts' \
        'HKCC\Display\Settings'; do
        wine reg query "$key" 2>/dev/null | tr -d '\r'
    done > "$1"
}

# A second run driven as a user would, through every dialog of the wizard.
shot() { import -window root "$shots/$1.png"; }
run_driven() {
    "$root/scripts/reset-prefix.sh"
    wine "$disk1/SETUP.EXE" &
    pid=$!
    options="Installation Options"
    driver wait Welcome
    shot 3-welcome
    driver click Welcome 1 ";" wait "K-VOX Setup" ";" choose "K-VOX Setup" 1104 Ukraine
    shot 4-country-and-directory
    driver click "K-VOX Setup" 1102 ";" wait "Define Directory"
    shot 5-directory-picker
    driver click "Define Directory" 2 ";" wait-gone "Define Directory" ";" click "K-VOX Setup" 1
    driver wait "$options"
    shot 6-installation-options
    driver click "$options" 1117 ";" wait "Keyboard Layouts" ";" pick "Keyboard Layouts" 1120 Russian
    shot 7-keyboard-layouts
    driver click "Keyboard Layouts" 1123 ";" click "Keyboard Layouts" 1 ";" wait-gone "Keyboard Layouts"
    driver click "$options" 1118 ";" wait Fonts
    shot 8-fonts
    driver click Fonts 1 ";" wait-gone Fonts ";" click "$options" 2 ";" wait "K-VOX Setup"
    shot 9-exit-question
    driver click "K-VOX Setup" 2 ";" wait-gone "K-VOX Setup" ";" click "$options" 1
    # Without a start directory the setup asks for the first disk, then for each next one.
    driver wait "K-VOX Setup" 30000
    shot 10-insert-disk
    for disk in 1 2 3; do
        until wine "$root/build/win64/tools/kvdrive.exe" text "K-VOX Setup" 1131 2>/dev/null | grep -q "Disk $disk"; do
            sleep 0.3
        done
        ln -sfn "$root/build/win64/disks/DISK$disk" "$WINEPREFIX/dosdevices/a:"
        driver click "K-VOX Setup" 1
    done
    until wine "$root/build/win64/tools/kvdrive.exe" text "K-VOX Setup" 1030 >/dev/null 2>&1; do sleep 0.3; done
    shot 11-exit-dialog
    driver click "K-VOX Setup" 1032
    wait "$pid" || true
}

trap '"$root/scripts/session.sh" stop' EXIT INT TERM
"$root/scripts/reset-prefix.sh"
if [ -n "${DISPLAY:-}" ]; then
    "$root/scripts/session.sh" start --visible
    . "$root/scripts/wine-env.sh"
    wine "$disk1/SETUP.EXE"
else
    "$root/scripts/session.sh" start
    . "$root/scripts/wine-env.sh"
    mkdir -p "$shots"
    rm -f "$shots"/*.png
    dump_registry "$shots/registry-before.txt"
    run_filmed /o "/s$(winepath -w "$onedir")"
    keep_frames
    echo "demo: the setup log, $log_path:"
    tr -d '\r' < "$root/$log_path" | sed 's/^/    /'
    dump_registry "$shots/registry-after.txt"
    python3 "$root/scripts/installation-summary.py" "$WINEPREFIX" "$root/scripts/win95" \
        "$shots/registry-before.txt" "$shots/registry-after.txt"
    run_driven
    echo "demo: screenshots in build/demo/:"
    ls "$shots" | sed 's/^/    /'
fi
