#!/bin/sh
# The sample's disks as kvpack build made them: each floppy image, read back with mtools,
# holds the files of its DISKn directory and the label [disks] gives it; every file the
# installation must leave (ORIGINALS) is the payload's own; the manifest agrees with the
# disks; and the built disks are themselves a package kvpack check passes.
# Usage: disks_test.sh WIN64_BUILD_DIR KVPACK
set -eu
build=$1 kvpack=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
disks=$build/disks
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "disks_test: $*"; status=1; }

count=0
for image in "$disks"/DISK*.IMG; do
    n=$(basename "$image" .IMG)
    mkdir "$work/$n"
    mcopy -n -i "$image" '::*' "$work/$n/" 2>"$work/$n.err" || fail "$n: mtools cannot read the image: $(cat "$work/$n.err")"
    diff -r "$work/$n" "$disks/$n" >/dev/null || fail "$n: the image's files differ from $disks/$n"
    number=${n#DISK}
    expected=$(tr -d '\r' < "$disks/DISK1/SETUP1.INF" | sed -n '/^\[disks\]/,/^\[/p' | sed -n "s/^$number=[^,]*,//p")
    label=$(mlabel -s -i "$image" :: | sed 's/^ *Volume label is //; s/ *$//')
    [ "$label" = "$expected" ] || fail "$n: the label is \"$label\", [disks] says \"$expected\""
    count=$((count + 1))
done
[ "$count" -ge 3 ] || fail "only $count images"

# Every installed file is the payload's file of that name, setup1.inf the first disk's.
for original in "$disks"/ORIGINALS/*; do
    name=$(basename "$original")
    if [ "$name" = setup1.inf ]; then
        cmp -s "$original" "$disks/DISK1/SETUP1.INF" || fail "ORIGINALS/setup1.inf is not the first disk's"
        continue
    fi
    source=$(find "$root/packages/sample/payload" "$build/sample/payload" -maxdepth 1 -iname "$name" | head -n 1)
    [ -n "$source" ] || { fail "$name is in no payload"; continue; }
    cmp -s "$original" "$source" || fail "ORIGINALS/$name differs from $source"
done

python3 - "$disks" <<'PY' || status=1
import os, sys, zlib
disks = sys.argv[1]
bad = []
for line in open(os.path.join(disks, "manifest.txt")):
    if line.startswith(";"):
        continue
    disk, stored_name, stored, installed, crc, name = line.split(None, 5)
    path = os.path.join(disks, "DISK" + disk, stored_name)
    if not os.path.exists(path) or os.path.getsize(path) != int(stored):
        bad.append("%s: not on disk %s as %s of %s bytes" % (name.strip(), disk, stored_name, stored))
        continue
    original = os.path.join(disks, "ORIGINALS", name.strip().lower())
    if os.path.exists(original):
        data = open(original, "rb").read()
        if len(data) != int(installed) or "%08x" % zlib.crc32(data) != crc:
            bad.append("%s: size or CRC-32 differs from the installed file" % name.strip())
for b in bad:
    print("disks_test: manifest: " + b)
sys.exit(1 if bad else 0)
PY

# The built package, in one directory, reads as a package of its own: files under their
# compressed names, the sizes of [volume] filled in.
output=$("$kvpack" check "$disks/ONEDIR" 2>&1) || fail "kvpack check of ONEDIR: $output"
[ -z "$output" ] || fail "kvpack check of ONEDIR said: $output"

[ $status -eq 0 ] && echo "disks_test: $count images read back with mtools equal their disks; ORIGINALS are the payload"
exit $status
