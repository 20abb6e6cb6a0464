#!/bin/sh
# kvpack's compressor against the two expanders it must satisfy: LZ32 under Wine, which the
# setup uses, and Debian's msexpand; and kvpack's expander against LZ32 on what Debian's
# mscompress makes (which mangles files of no or one byte: kvpack must read even those as
# LZ32 does). On edge inputs: empty, one byte, runs, blanks (the window's first content),
# 64 KB of random bytes, text, repeats a whole window apart.
# Usage: szdd_test.sh KVPACK LZ32_EXPAND_EXE
set -eu
kvpack=$1 lz32=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import os, random, sys
out = sys.argv[1]
rng = random.Random(1995)
window = rng.randbytes(5000)
inputs = {
    "empty.bin": b"",
    "one.bin": b"K",
    "zeros.bin": bytes(70000),
    "blanks.txt": b" " * 5000,
    "short.txt": b"aabbaabbccddccdd",
    "random.bin": rng.randbytes(65536),
    "text.txt": b"".join(b"Cyrillic layout %d\r\n" % (i % 37) for i in range(3000)),
    "window.bin": window + window[:4096],
}
for name, data in inputs.items():
    open(os.path.join(out, name), "wb").write(data)
PY
status=0
pairs=""
for input in "$work"/*; do
    name=$(basename "$input")
    "$kvpack" compress "$input" "$work/$name.sz"
    msexpand < "$work/$name.sz" > "$work/$name.msexpand"
    cmp -s "$input" "$work/$name.msexpand" || { echo "msexpand: $name differs"; status=1; }
    pairs="$pairs $(winepath -w "$work/$name.sz") $(winepath -w "$work/$name.lz32")"
    cp "$input" "$work/$name.ms"
    mscompress "$work/$name.ms" >/dev/null
    "$kvpack" expand "$work/$name.ms_" "$work/$name.expanded"
    pairs="$pairs $(winepath -w "$work/$name.ms_") $(winepath -w "$work/$name.ms.lz32")"
done
# shellcheck disable=SC2086
wine "$lz32" $pairs
for input in "$work"/*.bin "$work"/*.txt; do
    cmp -s "$input" "$input.lz32" || { echo "LZ32: $(basename "$input") differs"; status=1; }
    cmp -s "$input.ms.lz32" "$input.expanded" ||
        { echo "kvpack expand and LZ32 read $(basename "$input") from mscompress apart"; status=1; }
done
[ $status -eq 0 ] && echo "szdd_test: LZ32 and msexpand expand kvpack's files byte for byte, kvpack reads mscompress's as LZ32 does"
exit $status
