#!/bin/bash
# Usage: check_completion.sh COMPLETION_FILE TESSALY_CLI
# Sources the bash completion of tessaly-cli and completes words as bash
# would, against the tool built: commands, options, choices and file names.
set -u
completion=$1
tool=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=/dev/null
. "$completion"
failed=0

# expect "WORDS..." "REPLIES": the replies to the last word, sorted, one blank apart.
expect() {
  read -r -a COMP_WORDS <<< "$1"
  case $1 in *" ") COMP_WORDS+=("") ;; esac
  COMP_WORDS[0]=$tool
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _tessaly_cli
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' ')
  if [ "$got" != "$2" ]; then
    echo "'$1': '$got', not '$2'"
    failed=1
  fi
}

touch "$work/study.txt" "$work/sqrt.png" "$work/f.txt"
expect "tessaly-cli ta" "table"
expect "tessaly-cli r" "report roots"
expect "tessaly-cli --v" "--version"
expect "tessaly-cli help e" "eval extrema"
expect "tessaly-cli roots --lo" "--lower"
expect "tessaly-cli table --p" "--points"
expect "tessaly-cli value -" "--constant --error --format --function --function-file --help --iterations --lower --order --settings --study --subintervals --upper --x -h"
expect "tessaly-cli roots --format " "csv json text tsv"
expect "tessaly-cli plot --grid o" "off on"
expect "tessaly-cli window --command q" "q1 q2 q3 q4"
expect "tessaly-cli plot -o $work/s" "$work/sqrt.png $work/study.txt"
expect "tessaly-cli roots --study $work/st" "$work/study.txt"
expect "tessaly-cli table --function-file $work/f" "$work/f.txt"
expect "tessaly-cli roots --lower " ""
expect "tessaly-cli eval --x 1 " ""
[ $failed = 0 ] && echo "completion ok"
