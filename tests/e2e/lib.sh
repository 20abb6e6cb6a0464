# Shared steps of the end-to-end scenarios: setup.exe in the Windows 95 prefix, driven
# from another process by kvdrive. Sourced with the win64 build directory as $1.
set -eu
build=$(cd "$1" && pwd)
root=$(cd "$build/../.." && pwd)
. "$root/scripts/wine-env.sh"
SETUP="$build/setup.exe"
DISK1="$build/disks/DISK1"
drive_c="$WINEPREFIX/drive_c"
install_log="$drive_c/windows/KVOX/KVSETUP.LOG"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
setup_pid=""

fail() {
    echo "FAIL: $*" >&2
    [ -n "$setup_pid" ] && kill "$setup_pid" 2>/dev/null
    exit 1
}

# kvdrive commands, separated by ";".
drive() {
    wine "$build/tools/kvdrive.exe" "$@" || fail "kvdrive $*"
}

reset_machine() {
    "$root/scripts/reset-prefix.sh"
}

# Starts a setup program in the background; the texts it draws and the processes it
# starts are traced into $work/trace.
start_setup() {
    program=$1
    shift
    WINEDEBUG=-all,trace+text,trace+process timeout 120 wine "$program" "$@" >"$work/stdout" 2>"$work/trace" &
    setup_pid=$!
}

# Waits for the setup to end (it is stopped after two minutes); its exit code is left
# in $setup_exit.
wait_setup() {
    wait "$setup_pid" && setup_exit=0 || setup_exit=$?
    setup_pid=""
    [ "$setup_exit" -ne 124 ] || fail "setup did not end within two minutes"
}

# True when the setup drew this text (a message dialog's text, for instance).
drew() {
    grep -a -F -q "$1" "$work/trace"
}

expect_drawn() {
    drew "$1" || fail "expected to see: $1"
}

expect_not_drawn() {
    drew "$1" && fail "did not expect to see: $1" || true
}

expect_eq() {
    [ "$1" = "$2" ] || fail "${3:-value}: expected '$2', got '$1'"
}

# True when the setup started a process with this command line (or a part of it).
started() {
    grep -a 'CreateProcessInternalW' "$work/trace" | grep -a -F -q -e "$1"
}

expect_file() {
    [ -f "$1" ] || fail "missing file $1"
}

expect_no_file() {
    [ ! -e "$1" ] || fail "unexpected file $1"
}

# Line N (from 1) of a file, without its CR LF.
line_of() {
    sed -n "$2p" "$1" | tr -d '\r'
}
