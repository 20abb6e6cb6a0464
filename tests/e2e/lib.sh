# Shared steps of the end-to-end scenarios: setup.exe in the Windows 95 prefix, driven
# from another process by kvdrive. Sourced with the win64 build directory as $1.
set -eu
build=$(cd "$1" && pwd)
root=$(cd "$build/../.." && pwd)
. "$root/scripts/wine-env.sh"
SETUP="$build/setup.exe"
DISK1="$build/disks/DISK1"
# The three disks' files in one directory, and every file as the installation must leave it.
ONEDIR="$build/disks/ONEDIR"
ORIGINALS="$build/disks/ORIGINALS"
drive_c="$WINEPREFIX/drive_c"
install_log="$drive_c/windows/KVOX/KVSETUP.LOG"
programs_menu=$(echo "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
setup_pid=""

fail() {
    echo "FAIL: $*" >&2
    # What the failed scenario drew and started, for a look afterwards.
    [ -f "$work/trace" ] && cp "$work/trace" "${TMPDIR:-/tmp}/kvox-e2e-failed.trace"
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

# The switch that names ONEDIR as the start directory: no disk is asked for.
onedir_switch() {
    printf '/s%s\n' "$(winepath -w "$ONEDIR")"
}

# Puts sample disk N into drive A: (a floppy drive of the prefix).
insert_disk() {
    ln -sfn "$build/disks/DISK$1" "$WINEPREFIX/dosdevices/a:"
}

# Waits for the prompt for disk N, checks its label, inserts the disk and presses OK.
answer_disk_prompt() {
    tries=0
    until wine "$build/tools/kvdrive.exe" text "K-VOX Setup" 1131 2>/dev/null | grep -q "^K-VOX Disk $1"; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || fail "no prompt for disk $1"
        sleep 0.3
    done
    insert_disk "$1"
    drive click "K-VOX Setup" 1
}

# Every file the log names as copied ("C:\DIR\NAME SIZE") stands at its place, with that
# size, byte-equal to its original; prints how many there were.
expect_copied_files_equal_originals() {
    python3 - "$1" "$drive_c" "$ORIGINALS" <<'PY' || fail "installed files differ from their originals"
import os, re, sys
log, drive_c, originals = sys.argv[1:4]
def place(path):  # a Windows path on drive C:, found without regard to letter case
    here = drive_c
    for part in path.split("\\")[1:]:
        names = {n.lower(): n for n in os.listdir(here)}
        if part.lower() not in names:
            return None
        here = os.path.join(here, names[part.lower()])
    return here
count, bad = 0, []
for line in open(log, encoding="latin-1").read().splitlines():
    m = re.fullmatch(r"(C:\\.*\\([^\\]+)) (\d+)", line)
    if not m:
        continue
    count += 1
    path, name, size = m.group(1), m.group(2), int(m.group(3))
    installed = place(path)
    original = os.path.join(originals, name.lower())
    if installed is None:
        bad.append(path + ": missing")
    elif not os.path.exists(original) or name.lower() == "k-vox.ini":
        continue  # k-vox.ini is edited once copied
    elif open(installed, "rb").read() != open(original, "rb").read() or os.path.getsize(installed) != size:
        bad.append(path + ": differs")
for b in bad:
    print(b, file=sys.stderr)
print(count)
sys.exit(1 if bad else 0)
PY
}

# The machine as a user and a later installation would find it, in $work/$1.*.
snapshot() {
    # Profile files as entries in their order: writing one value through the profile API
    # rewrites the file without the blank lines between its sections.
    for file in windows/win.ini windows/system.ini windows/system32/control.inf; do
        tr -d '\r' < "$drive_c/$file" | grep -a -v '^[[:space:]]*$' > "$work/$1.$(basename "$file")"
    done
    for key in 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Fonts' \
        'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\FontSubstitutes' 'HKCC\Display\Fonts' \
        'HKCC\Display\Settings'; do
        wine reg query "$key" 2>/dev/null | tr -d '\r'
    done > "$work/$1.registry"
    (cd "$drive_c" && find . -type f ! -path './users/*/AppData/Local/*' ! -path './users/*/Temp/*' |
        grep -v -i -e '/uninst\.log$' | sort) > "$work/$1.files"
}

# Two snapshots agree: every file, value and file name, but for the files allowed to be new.
expect_same_machine() { # LABEL SNAPSHOT SNAPSHOT [ALLOWED FILE...]
    label=$1 from=$2 to=$3
    shift 3
    for part in win.ini system.ini control.inf registry; do
        cmp -s "$work/$from.$part" "$work/$to.$part" ||
            { diff "$work/$from.$part" "$work/$to.$part" >&2; fail "$label: $part differs"; }
    done
    for allowed in "$@"; do echo "$allowed"; done | sort > "$work/allowed"
    comm -13 "$work/$from.files" "$work/$to.files" | comm -23 - "$work/allowed" > "$work/added"
    comm -23 "$work/$from.files" "$work/$to.files" > "$work/lost"
    [ -s "$work/added" ] && { cat "$work/added" >&2; fail "$label: files left behind"; }
    [ -s "$work/lost" ] && { cat "$work/lost" >&2; fail "$label: files lost"; }
    true
}

# After a setup that restarted Windows, waits for the restart to be over. Wine's wineboot
# starts the StartUp group's programs on its way, the package's indicator among them, on a
# desktop of its own where the test session's programs cannot see its window: it is stopped.
wait_for_restart() {
    tries=0
    while pgrep -f 'wineboot\.exe' >/dev/null; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || fail "the restart did not end"
        sleep 0.2
    done
    pkill -f 'KVOX.kvox\.exe' || true
}

# Waits until a window of that caption lists a control matching the pattern (kvdrive's
# controls lines): a window's caption alone may be shared by a progress dialog.
wait_for_control() { # CAPTION PATTERN
    tries=0
    until wine "$build/tools/kvdrive.exe" controls "$1" 2>/dev/null | grep -q "$2"; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || fail "no control like '$2' in \"$1\""
        sleep 0.3
    done
}

# Starts the setup from the first disk with its wizard: past the welcome, the country and
# the destination chosen, up to the options dialog.
start_wizard() { # COUNTRY DESTINATION
    reset_machine
    start_setup "$DISK1/SETUP.EXE"
    drive wait Welcome ";" click Welcome 1
    drive wait "K-VOX Setup" ";" choose "K-VOX Setup" 1104 "$1" ";" \
        settext "K-VOX Setup" 1101 "$2" ";" click "K-VOX Setup" 1
}
