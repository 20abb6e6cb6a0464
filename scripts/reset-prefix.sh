#!/bin/sh
# Puts the Windows 95 fixture back into the prefix: the version, win.ini, system.ini,
# control.inf, Windows' setup.inf, the registry keys that setups edit, and no trace of
# an earlier installation (files, k-vox.ini, Start Menu group).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
fixture="$root/scripts/win95"
windows="$WINEPREFIX/drive_c/windows"

[ -f "$WINEPREFIX/.kvox-ready" ] || { echo "reset-prefix: no prefix; run scripts/make-prefix.sh" >&2; exit 1; }

# Files that earlier runs added to the Windows directory.
(cd "$windows" && find . -type f | sort) | comm -13 "$WINEPREFIX/.kvox-windows-files" - |
    (cd "$windows" && xargs -r -d '\n' rm -f --)
rm -rf "$WINEPREFIX/drive_c/KVOX" "$WINEPREFIX/drive_c/kvox" "$WINEPREFIX/drive_c/KVOX2" "$windows/KVOX"
rm -rf "$WINEPREFIX/drive_c/users/"*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/K-VOX
rm -f "$WINEPREFIX/drive_c/users/"*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/StartUp/K-VOX*

# The first sample disk is in drive A:; a test "inserts" another by pointing A: at it.
[ -d "$root/build/win64/disks/DISK1" ] && ln -sfn "$root/build/win64/disks/DISK1" "$WINEPREFIX/dosdevices/a:"

# A fault test stopped half-way may have left a file unwritable.
chattr -i "$windows/win.ini" 2>/dev/null || true
cp "$fixture/win.ini" "$fixture/system.ini" "$windows/"
cp "$fixture/control.inf" "$fixture/setup.inf" "$fixture/kbdus.kbd" "$windows/system32/"
# A 32-bit program sees the system directory syswow64 and the registry's 32-bit view.
wow64=""
if [ -f "$windows/syswow64/kernel32.dll" ]; then
    wow64=1
    cp "$fixture/control.inf" "$fixture/setup.inf" "$fixture/kbdus.kbd" "$windows/syswow64/"
fi

wine reg add 'HKCU\Software\Wine' /v Version /d win95 /f >/dev/null 2>&1
baseline=$(winepath -w "$fixture/baseline.reg" 2>/dev/null)
# The 32-bit view first: Wine's import deletes a key named [-...] in the 64-bit view
# whatever view it was asked for, so those keys are deleted from the 32-bit view here.
if [ -n "$wow64" ]; then
    sed -n 's/^\[-\(HKEY_LOCAL_MACHINE\\.*\)\]\r*$/\1/p' "$fixture/baseline.reg" | while read -r key; do
        wine reg delete "$key" /reg:32 /f >/dev/null 2>&1 || true
    done
    wine reg import "$baseline" /reg:32 >/dev/null 2>&1
fi
wine regedit /s "$baseline" >/dev/null 2>&1
