#!/usr/bin/env bash
# Kills tessaly-cli save with SIGKILL at random moments, again and again, and
# checks after each kill that the study is the old one or the new one, whole,
# and that a bitmap beside it is that study's own (or that there is none).
# Usage: bench/kill_during_save.sh [KILLS] (default 300); needs a built build/.
set -euo pipefail
cli="$(cd "$(dirname "$0")/.." && pwd)/build/tessaly-cli"
kills="${1:-300}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# The two studies, saved cleanly once: what a file may hold after any kill.
"$cli" save -o a.txt --function 'x^3-2*x' --lower -2 --upper 2
"$cli" save -o b.txt --function 'Sin(x)' --subintervals 1024
study=$work/s.txt
cp a.txt "$study"; cp a.txt.bmp "$study.bmp"
old=a; checked=0; pairs=0; alone=0
for ((k = 1; k <= kills; ++k)); do
    new=$([ "$old" = a ] && echo b || echo a)
    if [ "$new" = a ]; then args=(--function 'x^3-2*x' --lower -2 --upper 2); else args=(--function 'Sin(x)' --subintervals 1024); fi
    "$cli" save -o "$study" "${args[@]}" &
    pid=$!
    sleep "0.0$((RANDOM % 60))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if cmp -s "$study" a.txt; then now=a; elif cmp -s "$study" b.txt; then now=b; else
        echo "kill $k: the study is neither the old nor the new one"; exit 1; fi
    if [ -e "$study.bmp" ]; then
        cmp -s "$study.bmp" "$now.txt.bmp" || { echo "kill $k: the bitmap shows another study"; exit 1; }
        pairs=$((pairs + 1))
    else
        alone=$((alone + 1))
    fi
    old=$now; checked=$((checked + 1))
    rm -f "$work"/.s.txt*.?????? 2>/dev/null || true   # temporary files a kill leaves
done
echo "$checked kills: every study whole; $pairs with their own bitmap, $alone without one"
