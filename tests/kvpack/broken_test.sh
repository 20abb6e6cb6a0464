#!/bin/sh
# kvpack check on each broken package: it fails, and its one message names the line and the
# mistake that expected.txt gives ("LINE SEVERITY TEXT"); nothing else is said but notes.
# Usage: broken_test.sh KVPACK PAYLOAD_FOLDER...
set -eu
kvpack=$1
shift
payload=""
for folder in "$@"; do payload="$payload --payload $folder"; done
here=$(cd "$(dirname "$0")" && pwd)
status=0
for case in "$here"/broken/*/; do
    name=$(basename "$case")
    expected=$(grep -v '^;' "$case/expected.txt")
    line=${expected%% *}
    rest=${expected#* }
    severity=${rest%% *}
    text=${rest#* }
    # shellcheck disable=SC2086
    if output=$("$kvpack" check "$case" $payload 2>&1); then
        echo "broken/$name: kvpack check passed it"
        status=1
        continue
    fi
    said=$(echo "$output" | grep -v ': note: ' | grep -v '^kvpack: ')
    if [ "$(echo "$said" | wc -l)" -ne 1 ] || ! echo "$said" | grep -q -F ":$line: $severity: " ||
        ! echo "$said" | grep -q -F "$text"; then
        echo "broken/$name: expected only \"setup1.inf:$line: $severity: ...$text...\", got:"
        echo "$output" | sed 's/^/    /'
        status=1
    fi
done
[ $status -eq 0 ] && echo "broken_test: each broken package fails kvpack check at its own line"
exit $status
