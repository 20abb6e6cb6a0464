#!/bin/sh
# Starts or stops the display of a test or demo session: one Xvfb, and one Wine desktop
# of 1024x768 that every process of the prefix shares.
#   session.sh start [--visible]   (--visible: use the caller's display instead of Xvfb)
#   session.sh stop
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
envfile="$root/build/session.env"
driver="$root/build/win64/tools/kvdrive.exe"

stop_session() {
    [ -f "$envfile" ] || return 0
    . "$envfile"
    WINEPREFIX="$root/build/wineprefix" wineserver -k >/dev/null 2>&1 || true
    [ -n "${KVOX_XVFB_PID:-}" ] && kill "$KVOX_XVFB_PID" >/dev/null 2>&1 || true
    rm -f "$envfile"
}

free_display() {
    n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo "$n"
}

start_session() {
    stop_session
    mkdir -p "$root/build"
    if [ "${1:-}" = "--visible" ] && [ -n "${DISPLAY:-}" ]; then
        echo "DISPLAY=$DISPLAY; export DISPLAY" > "$envfile"
    else
        n=$(free_display)
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        echo "DISPLAY=:$n; export DISPLAY; KVOX_XVFB_PID=$!" > "$envfile"
        i=0
        while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    fi
    . "$root/scripts/wine-env.sh"
    # A server left from an earlier command of the prefix would refuse to become persistent.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    wineserver -p >/dev/null 2>&1
    nohup wine explorer /desktop=shell,1024x768 >/dev/null 2>&1 &
    # The desktop is ready when its taskbar exists; a second desktop process started
    # earlier would close windows mid-run.
    wine "$driver" wait-class Shell_TrayWnd 30000 >/dev/null
}

case "${1:-}" in
start) shift; start_session "$@" ;;
stop) stop_session ;;
*) echo "usage: session.sh start [--visible] | stop" >&2; exit 2 ;;
esac
