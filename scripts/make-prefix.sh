#!/bin/sh
# Makes the Windows 95 Wine prefix under build/ (once; about 10 s) and lays out the
# Windows 95 fixture in it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"

# With 32-bit Wine present the prefix also holds the 32-bit system (syswow64), which only
# Wine's first start of a prefix lays out: a prefix made without it is made again.
wow64_missing() { [ -x /usr/lib/wine/wine ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }

if [ ! -f "$WINEPREFIX/.kvox-ready" ] || wow64_missing; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$root/build"
    echo "make-prefix: creating $WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    # Windows 95 keeps win.ini sections in the file; Wine would send them to the registry.
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\IniFileMapping\win.ini' /f >/dev/null 2>&1
    # Every process of the prefix shares one desktop of a fixed size.
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wineserver -w
    # What Wine itself put into the Windows directory; reset removes everything else.
    (cd "$WINEPREFIX/drive_c/windows" && find . -type f | sort) > "$WINEPREFIX/.kvox-windows-files"
    wow64_missing && { echo "make-prefix: Wine laid out no 32-bit system in $WINEPREFIX" >&2; exit 1; }
    touch "$WINEPREFIX/.kvox-ready"
fi

# The colours of Windows 95, so that dialogs look as they did there (read by every process
# when it starts; a prefix made before this step gets them once).
# Wine draws the caption buttons with the Marlett symbol font, which it finds in the
# Windows fonts directory; it stays there through every reset.
if [ ! -f "$WINEPREFIX/.kvox-appearance" ]; then
    wine regedit /s "$(winepath -w "$root/scripts/win95/appearance.reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    { cat "$WINEPREFIX/.kvox-windows-files"; echo ./Fonts/marlett.ttf; } | sort -u > "$WINEPREFIX/.kvox-files.new"
    mv "$WINEPREFIX/.kvox-files.new" "$WINEPREFIX/.kvox-windows-files"
    touch "$WINEPREFIX/.kvox-appearance"
fi

"$root/scripts/reset-prefix.sh"
