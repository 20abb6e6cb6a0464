#!/bin/sh
# make demo: sets everything up and shows what the setup does so far: its command-line
# help in its own message dialog. With a display the user answers it; without one it runs
# under Xvfb and leaves a screenshot in build/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/make-prefix.sh"

driver() { wine "$root/build/win64/tools/kvdrive.exe" "$@"; }

trap '"$root/scripts/session.sh" stop' EXIT INT TERM
if [ -n "${DISPLAY:-}" ]; then
    "$root/scripts/session.sh" start --visible
    . "$root/scripts/wine-env.sh"
    wine "$root/build/win64/setup.exe" /?
else
    "$root/scripts/session.sh" start
    . "$root/scripts/wine-env.sh"
    wine "$root/build/win64/setup.exe" /? &
    driver wait "K-VOX Setup"
    import -window root "$root/build/demo-help.png"
    driver key "K-VOX Setup" enter
    wait
    echo "demo: screenshot of the help message in build/demo-help.png"
fi
