#!/bin/sh
# Two small drives for the copy tests, tmpfs mounts that the prefix sees as K: (1128 KB) and
# L: (4096 KB): their free space is exact and stays put, and a write past it fails for real.
#   small_drives.sh BUILD_DIR mount|unmount
# Mounting needs root; without it the drives stay absent and the tests that need them skip.
set -u
build=$(cd "$1" && pwd)
root=$(cd "$build/../.." && pwd)
. "$root/scripts/wine-env.sh"
base="$build/small-drives"

unmount() {
    for drive in k l; do
        rm -f "$WINEPREFIX/dosdevices/$drive:"
        if mountpoint -q "$base/$drive"; then umount "$base/$drive"; fi
        [ -d "$base/$drive" ] && rmdir "$base/$drive"
    done
    [ -d "$base" ] && rmdir "$base"
    return 0
}

mount_all() {
    unmount
    for drive_size in k:1128k l:4096k; do
        drive=${drive_size%%:*}
        mkdir -p "$base/$drive"
        if mount -t tmpfs -o "size=${drive_size#*:}" tmpfs "$base/$drive" 2>/dev/null; then
            ln -sfn "$base/$drive" "$WINEPREFIX/dosdevices/$drive:"
        else
            echo "small_drives: cannot mount a tmpfs (not root?): the tests that need drive ${drive}: skip" >&2
        fi
    done
}

case "${2:-}" in
mount) mount_all ;;
unmount) unmount ;;
*) echo "usage: small_drives.sh BUILD_DIR mount|unmount" >&2; exit 2 ;;
esac
exit 0
