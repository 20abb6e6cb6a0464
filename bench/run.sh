#!/bin/sh
# make bench: the copy benchmark. Sets up as make test does, lays out the benchmark package
# (1,000 generated files under build/bench/), then times its unattended installation against
# a bare LZ32 expansion of the same files and prints the figures.
#   BENCH_RUNS=N   counted rounds (default 3), after one warm-up round
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/make-prefix.sh"
python3 -B "$root/bench/make_package.py" --kvpack "$root/build/native/kvpack" \
    --sample-payload "$root/build/win64/sample/payload" --out "$root/build/bench"

# The prefix is left as the tests expect it.
cleanup() {
    rm -rf "$root/build/wineprefix/drive_c/kvbench"
    "$root/scripts/reset-prefix.sh" >/dev/null 2>&1 || true
    "$root/scripts/session.sh" stop
}
trap cleanup EXIT
trap 'exit 1' INT TERM
. "$root/scripts/wine-env.sh"
python3 -B "$root/bench/measure.py" "$root" "${BENCH_RUNS:-3}"
