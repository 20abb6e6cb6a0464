#!/bin/sh
# kvpack.exe, the Windows console program (win64 here, run under Wine): its console start
# hands it arguments as a C runtime would, and it checks the sample package and builds
# disks byte-equal to those of the native kvpack.
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
# A quoted argument with blanks and a backslash before the quote arrives whole.
output=$(wine "$exe" check 'Z:\no such\ "package" dir' 2>&1) && { echo "kvpack.exe found a package that is not there"; exit 1; }
case $output in
*'no readable setup1.inf in Z:\no such\ "package" dir'*) ;;
*) echo "kvpack.exe took its argument apart: $output"; exit 1 ;;
esac
output=$(wine "$exe" check "$sample" --payload "$payload" 2>&1) || { echo "kvpack.exe check failed: $output"; exit 1; }
[ -z "$output" ] || { echo "kvpack.exe check said: $output"; exit 1; }
wine "$exe" build "$sample" "$(winepath -w "$work/disks")" --payload "$payload" --images --onedir --originals >/dev/null
diff -r "$work/disks" "$build/disks" || { echo "kvpack.exe built other disks than kvpack"; exit 1; }
echo "kvpack_exe_test: kvpack.exe checks the sample and builds the same disks as kvpack"
