#!/bin/sh
# make fuzz: sets up as make test does, then runs the setup on a few hundred damaged copies of
# the sample's setup1.inf (tests/fuzz/fuzz.py) in one Xvfb and one Wine desktop, and prints how
# they ended. Failing variants are kept in build/fuzz/failed/.
#   FUZZ_COUNT=N   variants (default 300); FUZZ_SEED=S   another set of them
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/make-prefix.sh"

trap '"$root/scripts/session.sh" stop' EXIT
trap 'exit 1' INT TERM
"$root/scripts/session.sh" start
python3 -B "$root/tests/fuzz/fuzz.py" --count "${FUZZ_COUNT:-300}" --seed "${FUZZ_SEED:-1996}" "$@"
