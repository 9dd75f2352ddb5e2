#!/bin/sh
# Usage: check_man_pages.sh BUILD_DIR TESSALY_CLI VERSION
# Renders the manual pages the build installs as man shows them, with groff's
# warnings on: there must be none. The pages carry the version, and the
# page of tessaly-cli names every command the tool lists.
set -eu
build=$1
tool=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

for page in tessaly tessaly-cli; do
  file="$build/man/$page.1.gz"
  [ -f "$file" ] || fail "no $file"
  MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$file" > "$work/$page.txt" 2> "$work/$page.err" ||
    fail "man failed on $page: $(cat "$work/$page.err")"
  [ ! -s "$work/$page.err" ] || fail "warnings on $page: $(cat "$work/$page.err")"
  grep -q "^SYNOPSIS" "$work/$page.txt" || fail "$page has no synopsis"
  grep -q "Tessaly $version" "$work/$page.txt" || fail "$page is not of version $version"
done
"$tool" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { exit }' > "$work/commands"
[ -s "$work/commands" ] || fail "tessaly-cli --help lists no command"
# The tags of the section COMMANDS (indented 7 blanks; their text 14).
sed -n '/^COMMANDS/,/^OPTIONS/p' "$work/tessaly-cli.txt" | grep '^       [^ ]' > "$work/tags"
while read -r command; do
  grep -qw -- "$command" "$work/tags" || fail "tessaly-cli(1) does not describe $command"
done < "$work/commands"
echo "man pages ok"
