#!/bin/sh
# make test: sets everything up, builds both programs, then runs every test under Wine in
# one Xvfb and one Wine desktop. Ends with the test runner's summary.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/make-prefix.sh"

trap '"$root/scripts/session.sh" stop' EXIT INT TERM
"$root/scripts/session.sh" start
ctest --test-dir "$root/build/win64" --output-on-failure --timeout 600 "$@"
