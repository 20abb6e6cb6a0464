#!/bin/sh
# Fails unless what a Windows 95 user runs would load and run there as shipped. In the
# win32 build, setup.exe, the package maker's kvpack.exe, and the sample package's programs
# and library:
#   - ask for subsystem version 4.0 at most;
#   - import only from DLLs Windows 95 ships, and only functions on the reviewed list
#     scripts/win95-imports.txt;
#   - hold no instruction the 486 lacks;
#   - were built from objects without dynamic initializers (no start-up code runs them);
#   - and setup.exe stays within 200 KB, so that the first disk holds it with setup1.inf
#     and the first files.
# In the win64 build the same programs import from no DLL outside that set.
# Usage: check-win95.sh [WIN32_BUILD_DIR [WIN64_BUILD_DIR]]
set -eu
export LC_ALL=C
root=$(cd "$(dirname "$0")/.." && pwd)
win32=${1:-$root/build/win32}
win64=${2:-$root/build/win64}
allowed="$root/scripts/win95-imports.txt"
objdump32=i686-w64-mingw32-objdump
objdump64=x86_64-w64-mingw32-objdump
status=0

[ -f "$allowed" ] || { echo "check-win95: the list of reviewed imports $allowed is missing"; exit 1; }
for build in "$win32" "$win64"; do
    if [ ! -f "$build/setup.exe" ]; then
        echo "check-win95: no build in $build (setup.exe is missing); run scripts/build.sh first"
        exit 1
    fi
done

programs() { # the programs of a build that a Windows 95 user or package maker runs
    echo "$1/setup.exe"
    echo "$1/kvpack/kvpack.exe"
    for f in "$1"/sample/*.exe "$1"/sample/*.dll; do if [ -f "$f" ]; then echo "$f"; fi; done
}

# "DLL FUNCTION" per imported function, DLL names in capitals; "DLL" alone for each DLL.
# Reads the output of objdump -p.
imports() {
    echo "$1" | awk '
        /^\tDLL Name: / { dll = toupper($3); print dll; next }
        /^[^\t]/ { dll = "" }
        dll != "" && /^\t[0-9a-f]+\t/ { print dll, ($NF == "<none>" ? "ordinal:" $2 : $NF) }'
}

# Failures of the DLLs a program imports from.
check_dlls() {
    for dll in $(echo "$2" | awk 'NF == 1'); do
        case $dll in
        KERNEL32.DLL | USER32.DLL | GDI32.DLL | ADVAPI32.DLL | COMDLG32.DLL | LZ32.DLL | SHELL32.DLL) ;;
        MSVC* | UCRT* | API-MS-WIN-CRT-* | LIBSTDC++* | LIBGCC_S* | LIBWINPTHREAD*)
            echo "check-win95: $1 imports the runtime library $dll, which Windows 95 does not ship"
            status=1 ;;
        *)
            echo "check-win95: $1 imports from $dll, which Windows 95 does not ship"
            status=1 ;;
        esac
    done
}

# Failures of imported functions that are not on the reviewed list.
check_functions() {
    unlisted=$(echo "$2" | awk 'NF == 2' | sort -u |
        comm -23 - "$listed" | sed 's/^/    /')
    if [ -n "$unlisted" ]; then
        echo "check-win95: $1 imports functions that are not on the reviewed list $allowed:"
        echo "$unlisted"
        status=1
    fi
}

# Instructions the 486 does not have: those of the Pentium and later (CMOV, FCOMI, RDTSC,
# CMPXCHG8B, ...), MMX and SSE, fast system calls, UD2.
check_instructions() {
    found=$("$objdump32" -d --no-show-raw-insn "$2" | awk -F'\t' '
        NF >= 2 && $1 ~ /^ *[0-9a-f]+:$/ {
            insn = $2; split(insn, word, " "); m = word[1]
            if (m ~ /^(cmov|fcmov|fcomip?$|fucomip?$|rdtsc|rdpmc|cmpxchg8b|cmpxchg16b|sysenter|sysexit|syscall|sysret|ud2|emms|femms|prefetch|[lsm]fence|clflush|movnti|ldmxcsr|stmxcsr|fxsave|fxrstor|fisttp|popcnt|lzcnt|tzcnt|movbe|crc32)/ ||
                insn ~ /%[xyz]?mm[0-9]/) {
                n++
                if (n <= 20) { sub(/^ */, "", $1); print "    " $1 " " insn }
            }
        }
        END { if (n > 20) print "    ... " n - 20 " more" }')
    if [ -n "$found" ]; then
        echo "check-win95: $1 holds instructions the 486 does not have:"
        echo "$found"
        status=1
    fi
}

# Windows 95 loads programs that ask for subsystem version 4.0 at most.
check_subsystem() {
    version=$(echo "$2" | awk '/^MajorSubsystemVersion/ {major = $2} /^MinorSubsystemVersion/ {minor = $2}
        END {print major "." minor}')
    case $version in
    4.0 | [0-3].*) ;;
    *)
        echo "check-win95: $1 asks for subsystem version $version; Windows 95 loads 4.0 at most"
        status=1 ;;
    esac
}

# Objects of the programs with dynamic initializers: nothing would run them.
check_initializers() {
    # Only the targets of the current configuration: a renamed target leaves its old objects.
    objects=$(grep -v -e '/googletest/' -e '/tests/' "$win32/CMakeFiles/TargetDirectories.txt" |
        while read -r dir; do if [ -d "$dir" ]; then find "$dir" -name '*.obj'; fi; done)
    [ -n "$objects" ] || return 0
    # shellcheck disable=SC2086
    found=$("$objdump32" -h $objects | awk '
        /file format/ { object = $1; sub(/:$/, "", object) }
        $2 ~ /^\.(ctors|init_array)/ { print "    " object }' | sort -u)
    if [ -n "$found" ]; then
        echo "check-win95: objects with dynamic initializers, which no start-up code runs (make them constant):"
        echo "$found"
        status=1
    fi
}

# Window, dialog and DDE procedures take their arguments off the stack themselves (WINAPI).
# A procedure declared otherwise and cast to its type passes under Wine, which puts the
# stack back after every call, and corrupts the stack on Windows 95: each exported
# procedure's first return must pop its arguments.
check_callbacks() {
    headers=$2
    base=$(echo "$headers" | awk '$1 == "ImageBase" { print $2 }')
    exports=$(echo "$headers" | awk '
        /^Export Address Table -- Ordinal Base/ { table = "address"; next }
        /^\[Ordinal\/Name Pointer\] Table/ { table = "names"; next }
        /^$/ { table = "" }
        table == "address" && /Export RVA/ { gsub(/[][]/, " "); rva[$1] = $(NF - 2) }
        table == "names" { gsub(/[][]/, " "); if ($2 != "") print $2, rva[$1] }')
    echo "$exports" | while read -r export rva; do
        case $export in
        *Proc) pops='$0x10' ;;
        *Callback) pops='$0x20' ;;
        *) continue ;;
        esac
        start=$(printf '0x%x' $((0x$base + 0x$rva)))
        first=$("$objdump32" -d --no-show-raw-insn --start-address="$start" --stop-address=$((start + 8192)) "$1" |
            awk -F'\t' '$2 ~ /^ret/ { gsub(/ +/, " ", $2); print $2; exit }')
        if [ "$first" != "ret $pops" ]; then
            echo "check-win95: $1: $export returns with \"$first\", not \"ret $pops\": not a WINAPI procedure"
            echo x >> "$failures"
        fi
    done
}

listed=$(mktemp)
failures=$(mktemp)
trap 'rm -f "$listed" "$failures"' EXIT
sed 's/#.*//' "$allowed" | awk 'NF >= 2 { print toupper($1), $2 }' | sort -u > "$listed"

count32=0
for program in $(programs "$win32"); do
    name=win32/${program#"$win32"/}
    headers=$("$objdump32" -p "$program")
    list=$(imports "$headers")
    check_subsystem "$name" "$headers"
    check_dlls "$name" "$list"
    check_functions "$name" "$list"
    check_instructions "$name" "$program"
    check_callbacks "$program" "$headers"
    count32=$((count32 + 1))
done
check_initializers
[ -s "$failures" ] && status=1
size=$(wc -c < "$win32/setup.exe")
if [ "$size" -gt 204800 ]; then
    echo "check-win95: win32/setup.exe is $size bytes; it must stay within 200 KB (204800 bytes)"
    status=1
fi
count64=0
for program in $(programs "$win64"); do
    check_dlls "win64/${program#"$win64"/}" "$(imports "$("$objdump64" -p "$program")")"
    count64=$((count64 + 1))
done

[ $status -eq 0 ] && echo "check-win95: $count32 win32 programs import only reviewed Windows 95 functions" \
    "and use only 486 instructions, setup.exe is $size bytes; $count64 win64 programs import only Windows 95 DLLs"
exit $status
