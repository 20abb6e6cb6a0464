# Sourced by the scripts: the project's own Wine prefix and quiet, offline Wine.
# Expects $root to name the top of the source tree.
export WINEPREFIX="$root/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# winemenubuilder would mirror every shortcut to the Linux desktop, and each one it starts
# stays, holding a connection to the display, until the display refuses new clients.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
# wine and winepath on the 64-bit loader, also for the programs the scripts start.
case ":$PATH:" in
*":$root/scripts/wine64:"*) ;;
*) export PATH="$root/scripts/wine64:$PATH" ;;
esac
# The display and desktop of a running test session, when there is one.
if [ -f "$root/build/session.env" ]; then
    . "$root/build/session.env"
fi
