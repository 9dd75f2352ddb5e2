#!/bin/sh
# Usage: cli_startup.sh TESSALY_CLI [RUNS]
# The start-up of tessaly-cli against a plain C++ program's: the time of RUNS
# runs of "tessaly-cli eval 1" and of a C++ program that prints 1 with the
# standard streams, built here with the same compiler, interleaved in rounds,
# and their ratio (the best round of each).
set -eu
cli=$1
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#include <iostream>\nint main() { std::cout << 1 << "\\n"; }\n' > "$work/plain.cpp"
${CXX:-c++} -O2 -o "$work/plain" "$work/plain.cpp"

# Nanoseconds for RUNS runs of a command.
timed() {
  start=$(date +%s%N)
  i=0
  while [ $i -lt "$runs" ]; do "$@" > /dev/null; i=$((i + 1)); done
  echo $(($(date +%s%N) - start))
}
best_cli=; best_plain=
for round in 1 2 3 4 5; do
  t=$(timed "$cli" eval 1); [ -z "$best_cli" ] || [ "$t" -lt "$best_cli" ] && best_cli=$t
  t=$(timed "$work/plain"); [ -z "$best_plain" ] || [ "$t" -lt "$best_plain" ] && best_plain=$t
done
echo "tessaly-cli eval 1: $((best_cli / runs / 1000)) us a run"
echo "plain C++ program:  $((best_plain / runs / 1000)) us a run"
awk -v a="$best_cli" -v b="$best_plain" 'BEGIN { printf "ratio: %.2f\n", a / b }'
