# Shared steps of the end-to-end scenarios: setup.exe in the Windows 95 prefix, driven
# from another process by kvdrive. Sourced with the win64 build directory as $1 and, for
# the programs of the other width, their build directory as $2.
set -eu
build=$(cd "$1" && pwd)
tested=$(cd "${2:-$1}" && pwd)
root=$(cd "$build/../.." && pwd)
. "$root/scripts/wine-env.sh"
SETUP="$tested/setup.exe"
kvdrive="$build/tools/kvdrive.exe"
DISK1="$tested/disks/DISK1"
# The three disks' files in one directory, and every file as the installation must leave it.
ONEDIR="$tested/disks/ONEDIR"
ORIGINALS="$tested/disks/ORIGINALS"
drive_c="$WINEPREFIX/drive_c"
# A 32-bit program in the 64-bit prefix finds its system directory in syswow64 and the
# machine's keys in the registry's 32-bit view.
system_dir=windows/system32
reg_view=""
if [ "$(basename "$tested")" = win32 ]; then
    system_dir=windows/syswow64
    reg_view=/reg:32
fi
kvox="$drive_c/windows/KVOX"
install_log="$kvox/KVSETUP.LOG"
uninst='C:\windows\KVOX\uninst.exe'
programs_menu=$(echo "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs)
work=$(mktemp -d)
# Wine opens a folder window for each group shown over DDE; left open, it keeps the desktop,
# and with it the scenario's output, open after the scenario has ended.
finish() { pkill -f 'explorer\.exe C:\\' || true; rm -rf "$work"; }
trap finish EXIT
setup_pid=""

fail() {
    echo "FAIL: $*" >&2
    # What the failed scenario drew and started, for a look afterwards.
    [ -f "$work/trace" ] && cp "$work/trace" "${TMPDIR:-/tmp}/kvox-e2e-failed.trace"
    [ -n "$setup_pid" ] && kill "$setup_pid" 2>/dev/null
    exit 1
}

# kvdrive commands, separated by ";".
drive() { wine "$kvdrive" "$@" || fail "kvdrive $*"; }

reset_machine() { "$root/scripts/reset-prefix.sh"; }

# Runs the command every 0.3 s until it succeeds; fails with the message after 100 tries.
poll() { # MESSAGE COMMAND...
    msg=$1 tries=0
    shift
    until "$@"; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || fail "$msg"
        sleep 0.3
    done
}

# Starts a program in the background, tracing its drawn texts and started processes.
start_setup() {
    WINEDEBUG=-all,trace+text,trace+process timeout 120 wine "$@" >"$work/stdout" 2>"$work/trace" &
    setup_pid=$!
}

# Waits for it to end (stopped after two minutes); its exit code is left in $setup_exit.
wait_setup() {
    wait "$setup_pid" && setup_exit=0 || setup_exit=$?
    setup_pid=""
    [ "$setup_exit" -ne 124 ] || fail "setup did not end within two minutes"
}

# An unattended installation from ONEDIR, the start directory given: no disk is asked for.
install_oem() { # [SWITCH...]
    start_setup "$ONEDIR/SETUP.EXE" /o "$@" "$(onedir_switch)"
    wait_setup
}

drew() { grep -a -F -q "$1" "$work/trace"; }

expect_drawn() { drew "$1" || fail "expected to see: $1"; }

expect_not_drawn() { drew "$1" && fail "did not expect to see: $1" || true; }

expect_eq() { [ "$1" = "$2" ] || fail "${3:-value}: expected '$2', got '$1'"; }

# True when the setup started a process with this command line (or a part of it).
started() { grep -a 'CreateProcessInternalW' "$work/trace" | grep -a -F -q -e "$1"; }

expect_file() { [ -f "$1" ] || fail "missing file $1"; }

expect_no_file() { [ ! -e "$1" ] || fail "unexpected file $1"; }

onedir_switch() { printf '/s%s\n' "$(winepath -w "$ONEDIR")"; }

# Puts sample disk N into drive A: (a floppy drive of the prefix).
insert_disk() { ln -sfn "$tested/disks/DISK$1" "$WINEPREFIX/dosdevices/a:"; }

prompt_for_disk() { wine "$kvdrive" text "K-VOX Setup" 1131 2>/dev/null | grep -q "^K-VOX Disk $1"; }

# For each disk N: waits for its prompt, checks its label, inserts the disk and presses OK.
answer_disk_prompts() { # N...
    for disk in "$@"; do
        poll "no prompt for disk $disk" prompt_for_disk "$disk"
        insert_disk "$disk"
        drive click "K-VOX Setup" 1
    done
}

has_control() { wine "$kvdrive" controls "$1" 2>/dev/null | grep -q "$2"; }

# A caption alone may be shared by a progress dialog: waits for a matching control too.
wait_for_control() { poll "no control like '$2' in \"$1\"" has_control "$1" "$2"; } # CAPTION PATTERN

# Runs the uninstaller with these switches and answers the one message it shows.
uninstall_answering_message() { # [SWITCH...]
    start_setup "$uninst" "$@"
    wait_for_control "K-VOX Uninstall" '^1 Button'
    drive click "K-VOX Uninstall" 1
    wait_setup
}

# Every file the log names as copied ("C:\DIR\NAME SIZE") is in place, of that size and
# byte-equal to its original; prints how many there were.
expect_copied_files_equal_originals() {
    python3 - "$1" "$drive_c" "$ORIGINALS" "$system_dir" <<'PY' || fail "installed files differ from their originals"
import os, re, sys
log, drive_c, originals, system_dir = sys.argv[1:5]
system_dir = system_dir.replace("/", "\\").lower() + "\\"
# Every file on drive C: by its Windows path in lower case: the log's letter case may differ.
files = {os.path.relpath(os.path.join(d, f), drive_c).replace("/", "\\").lower(): os.path.join(d, f)
         for d, _, names in os.walk(drive_c) for f in names}
count, bad = 0, []
lines = open(log, encoding="latin-1").read().splitlines()
for m in filter(None, (re.fullmatch(r"C:\\(.*\\([^\\]+)) (\d+)", line) for line in lines)):
    count += 1
    # The system directory a program names is where its width's system files lie.
    path = re.sub(r"^windows\\system32\\", lambda _: system_dir, m.group(1).lower())
    installed, name = files.get(path), m.group(2).lower()
    original = os.path.join(originals, name)
    if installed is None:
        bad.append(m.group(0) + ": missing")
    elif os.path.exists(original) and name != "k-vox.ini":  # k-vox.ini is edited once copied
        if open(installed, "rb").read() != open(original, "rb").read() or os.path.getsize(installed) != int(m.group(3)):
            bad.append(m.group(0) + ": differs")
print("\n".join(bad), file=sys.stderr)
print(count)
sys.exit(1 if bad else 0)
PY
}

# The four registry keys the installation changes.
font_keys() {
    for key in 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Fonts' \
        'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\FontSubstitutes' 'HKCC\Display\Fonts' \
        'HKCC\Display\Settings'; do
        # shellcheck disable=SC2086
        wine reg query "$key" $reg_view 2>/dev/null | tr -d '\r'
    done
}

# The machine as a user and a later installation would find it, in $work/$1.*.
snapshot() {
    # Profile files as entries in their order: writing one value through the profile API
    # rewrites the file without the blank lines between its sections.
    for file in windows/win.ini windows/system.ini "$system_dir/control.inf"; do
        tr -d '\r' < "$drive_c/$file" | grep -a -v '^[[:space:]]*$' > "$work/$1.$(basename "$file")"
    done
    font_keys > "$work/$1.registry"
    (cd "$drive_c" && find . -type f ! -path './users/*/AppData/Local/*' ! -path './users/*/Temp/*' |
        grep -v -i -e '/uninst\.log$' | sort) > "$work/$1.files"
}

# The machine now agrees with an earlier snapshot but for the files allowed to be new.
expect_machine_as() { # LABEL SNAPSHOT [ALLOWED FILE...]
    snapshot after
    label=$1 from=$2
    shift 2
    for part in win.ini system.ini control.inf registry; do
        diff "$work/$from.$part" "$work/after.$part" >&2 || fail "$label: $part differs"
    done
    for allowed in "$@"; do echo "$allowed"; done | sort > "$work/allowed"
    comm -13 "$work/$from.files" "$work/after.files" | comm -23 - "$work/allowed" > "$work/added"
    comm -23 "$work/$from.files" "$work/after.files" > "$work/lost"
    [ -s "$work/added" ] && { cat "$work/added" >&2; fail "$label: files left behind"; }
    [ -s "$work/lost" ] && { cat "$work/lost" >&2; fail "$label: files lost"; }
    true
}

no_wineboot() { ! pgrep -f 'wineboot\.exe' >/dev/null; }

# After a setup that restarted Windows, waits for the restart to be over. wineboot starts
# the StartUp group's indicator on a desktop of its own, out of the scenarios' reach: it is
# stopped.
wait_for_restart() {
    poll "the restart did not end" no_wineboot
    pkill -f 'KVOX.kvox\.exe' || true
}

# Starts the setup from the first disk with its wizard: past the welcome, the country and
# the destination chosen, up to the options dialog.
start_wizard() { # COUNTRY DESTINATION
    start_setup "$DISK1/SETUP.EXE"
    drive wait Welcome ";" click Welcome 1
    drive wait "K-VOX Setup" ";" choose "K-VOX Setup" 1104 "$1" ";" \
        settext "K-VOX Setup" 1101 "$2" ";" click "K-VOX Setup" 1
}

# An express installation from ONEDIR into another directory, restarting at its end.
install_express_into() { # DIRECTORY
    start_setup "$ONEDIR/SETUP.EXE" /e "$(onedir_switch)"
    drive wait "K-VOX Setup" ";" settext "K-VOX Setup" 1101 "$1" ";" click "K-VOX Setup" 1
    wait_for_control "K-VOX Setup" '^1030 '
    drive click "K-VOX Setup" 1030
    wait_setup
    wait_for_restart
}

# Every value of system.ini and of the font keys that names one of the package's files names
# a file that is there: the system the user restarts into works.
expect_named_files_exist() { # LABEL
    font_keys > "$work/keys"
    python3 - "$drive_c" "$system_dir" "$ORIGINALS" "$work/keys" <<'PY' || fail "$1: a value names a missing file"
import configparser, os, sys
drive_c, system_dir, originals, keys = sys.argv[1:5]
package = {name.lower() for name in os.listdir(originals)}
def there(value):
    value = value.strip()
    name = value.replace("/", "\\").split("\\")[-1].lower()
    if name not in package:
        return True
    if ":\\" in value:
        path = value.split(":\\", 1)[1].replace("\\", "/")
        candidates = [path, path.replace("windows/system32/", system_dir.split("/", 1)[1] + "/")]
        candidates = [os.path.join(drive_c, c.replace("windows/system32", system_dir)) for c in candidates]
    else:
        candidates = [os.path.join(drive_c, d, name) for d in ("windows", system_dir, "windows/Fonts")]
    lower = lambda p: os.path.join(os.path.dirname(p), next((f for f in os.listdir(os.path.dirname(p))
                                   if f.lower() == os.path.basename(p).lower()), "?")) if os.path.isdir(os.path.dirname(p)) else p
    return any(os.path.exists(lower(c)) for c in candidates)
ini = configparser.RawConfigParser(strict=False, interpolation=None)
ini.optionxform = str
ini.read_string(open(os.path.join(drive_c, "windows/system.ini"), encoding="latin-1").read())
bad = [f"[{s}] {k}={v}" for s in ini.sections() for k, v in ini.items(s) if not there(v)]
for line in open(keys, encoding="latin-1"):
    parts = line.rstrip("\n").split("    ")
    if len(parts) >= 4 and parts[2].startswith("REG_") and not there(parts[3]):
        bad.append(line.strip())
print("\n".join(bad), file=sys.stderr)
sys.exit(1 if bad else 0)
PY
}
