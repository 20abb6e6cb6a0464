#!/bin/sh
# Three broken packages installed unattended under Wine, each from the sample's files with
# the broken setup1.inf: the setup ends as if all were well, and what kvpack check names is
# missing. (The other broken packages state in their expected.txt what the setup does.)
# Usage: broken_install_test.sh WIN64_BUILD_DIR
. "$(dirname "$0")/../e2e/lib.sh"
broken=$(cd "$(dirname "$0")/broken" && pwd)

# Installs the broken package CASE from a directory of the sample's files.
install_broken() { # CASE
    reset_machine
    package="$work/$1"
    mkdir "$package"
    cp "$ONEDIR"/* "$package/"
    rm "$package/SETUP1.INF"
    cp "$broken/$1"/* "$package/"
    rm "$package/expected.txt"
    start_setup "$package/SETUP.EXE" /o "/s$(winepath -w "$package")"
    wait_setup
    wait_for_restart
    expect_eq "$setup_exit" 0 "$1: exit code"
    tr -d '\r' < "$install_log" > "$work/$1.log"
    grep -q '^Prompt:' "$work/$1.log" && fail "$1: the setup asked for a disk"
    grep -qx 'Creating Progman group and icons complete.' "$work/$1.log" || fail "$1: the installation did not end"
    true
}

# The last names of [programfiles.k-vox] are cut off the setup's key list: never copied.
install_broken keylist700
expect_file "$kvox/kvt.t"
for lost in kvnote52.txt kvnote56.txt kvoxhelp.txt; do expect_no_file "$kvox/$lost"; done
grep -q 'kvoxhelp' "$work/keylist700.log" && fail "keylist700: the log names kvoxhelp.txt"

# The Picture Viewer's AddItem is cut before its closing bracket: no item.
install_broken dde_too_long
expect_file "$programs_menu/K-VOX/K-VOX Editor.lnk"
ls "$programs_menu/K-VOX" | grep -q 'Picture Viewer' && fail "dde_too_long: the Picture Viewer has an item"

# The TrueType section ends at the line without a file: the font after it is not copied.
install_broken truetype_gap
expect_file "$kvox/dejavus.ttf"
expect_no_file "$kvox/dejavumo.ttf"
echo "broken_install_test: three broken packages install without a word and lack what kvpack check names"
