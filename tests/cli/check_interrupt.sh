#!/bin/bash
# Usage: check_interrupt.sh TESSALY_CLI
# Ctrl+C (SIGINT) ends tessaly-cli at once with status 130, during a long
# numerical command and during a save, which then leaves no file behind.
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Waits until process $1 catches SIGINT (bit 2 of its SigCgt mask), at most 10 s.
ready() {
    for _ in $(seq 100); do
        mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$1/status" 2>/dev/null)
        [ -n "$mask" ] && [ $(( 0x$mask & 2 )) -ne 0 ] && return 0
        sleep 0.1
    done
    return 1
}

interrupted() {
    "$@" >/dev/null 2>&1 &
    pid=$!
    ready $pid || { echo "never ready: $*"; kill -9 $pid; return 1; }
    sleep 0.3
    kill -INT $pid
    wait $pid
    status=$?
    [ $status -eq 130 ] || { echo "status $status: $*"; return 1; }
}

long="--function x-0.3 --lower 0 --upper 1 --subintervals 1073741824"
interrupted "$cli" roots $long || exit 1
interrupted "$cli" integral $long --error 1E-300 --iterations 30 || exit 1
interrupted "$cli" save $long -o "$dir/study.tsy" || exit 1
[ -z "$(ls -A "$dir")" ] || { echo "left behind: $(ls -A "$dir")"; exit 1; }
echo "interrupt ok"
