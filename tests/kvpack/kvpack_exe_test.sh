#!/bin/sh
# kvpack.exe, the Windows console program (win64 here, run under Wine): it checks the sample
# package and builds disks byte-equal to those of the native kvpack.
# Usage: kvpack_exe_test.sh WIN64_BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
root=$(cd "$build/../.." && pwd)
. "$root/scripts/wine-env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
exe="$build/kvpack/kvpack.exe"
sample=$(winepath -w "$root/packages/sample")
payload=$(winepath -w "$build/sample/payload")
output=$(wine "$exe" check "$sample" --payload "$payload" 2>&1) || { echo "kvpack.exe check failed: $output"; exit 1; }
[ -z "$output" ] || { echo "kvpack.exe check said: $output"; exit 1; }
wine "$exe" build "$sample" "$(winepath -w "$work/disks")" --payload "$payload" --images --onedir --originals >/dev/null
diff -r "$work/disks" "$build/disks" || { echo "kvpack.exe built other disks than kvpack"; exit 1; }
echo "kvpack_exe_test: kvpack.exe checks the sample and builds the same disks as kvpack"
