#!/usr/bin/env bash
# Runs the event explorers far longer than the test tier does, with a fresh seed each time:
#   scripts/explore.sh [cases [max steps per case]]     (defaults: 20000 cases of up to 200 steps)
# A failure prints the shrunk steps and the RC_PARAMS that replay them:
#   RC_PARAMS='reproduce=...' build/native/tests/dialer_explorer
set -uo pipefail
repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$repo" || exit 1
cases=${1:-20000}
size=${2:-200}
scripts/install-deps.sh >/dev/null || exit 1
scripts/build.sh native dialer_explorer setup_explorer >/dev/null || exit 1
status=0
for program in dialer_explorer setup_explorer; do
    seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
    echo "== $program: $cases cases of up to $size steps, seed $seed"
    RC_PARAMS="max_success=$cases max_size=$size seed=$seed" "build/native/tests/$program" ||
        status=1
done
exit $status
