#!/bin/sh
# Usage: check_debian_packages.sh SOURCE_DIR
# Runs tools/debian-packages.sh, which make uses to install what is missing,
# with a PATH of stand-ins for id, dpkg-query, apt-get and sudo, and checks
# what it installs and how, and what it says when it cannot.
set -eu
src=$1
script="$src/tools/debian-packages.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
log="$work/log"
out="$work/out"

# A folder for PATH holding the real grep, env and sh and the stand-ins named:
# id (user id $FAKE_UID), dpkg-query (installed: $FAKE_INSTALLED), apt-get
# (logs its words, fails when $FAKE_APT_FAILS is set), sudo (logs and runs its
# words; "sudo -n true" answers $FAKE_SUDO_N, 0 without a password).
bin() {
  dir="$work/bin-$1"
  shift
  mkdir -p "$dir"
  for t in grep env sh; do ln -sf "$(command -v $t)" "$dir/$t"; done
  for t in "$@"; do
    case $t in
      id) printf '#!/bin/sh\necho "$FAKE_UID"\n' ;;
      dpkg-query) printf '#!/bin/sh\ncase " $FAKE_INSTALLED " in *" $3 "*) printf "install ok installed" ;; *) exit 1 ;; esac\n' ;;
      apt-get) printf '#!/bin/sh\necho "apt-get $*" >> "%s"\n[ -z "${FAKE_APT_FAILS:-}" ]\n' "$log" ;;
      sudo) printf '#!/bin/sh\nif [ "$1" = -n ]; then exit "$FAKE_SUDO_N"; fi\necho sudo >> "%s"\nexec "$@"\n' "$log" ;;
    esac > "$dir/$t"
    chmod +x "$dir/$t"
  done
  echo "$dir"
}
debian=$(bin debian id dpkg-query apt-get)
debian_sudo=$(bin debian-sudo id dpkg-query apt-get sudo)
elsewhere=$(bin elsewhere id)

# run PATH UID [NAME=VALUE...]: the script on cmake, qt6-base-dev and appstream,
# with no terminal.
run() {
  path=$1
  uid=$2
  shift 2
  rm -f "$log" && touch "$log"
  env "$@" FAKE_UID="$uid" PATH="$path" /bin/sh "$script" cmake qt6-base-dev appstream \
    < /dev/null > "$out" 2>&1
}
# expect_by_hand STATUS REASON PACKAGE...: refused with REASON, listing exactly the packages.
expect_by_hand() {
  [ "$1" = 1 ] || fail "exit status $1, not 1: $(cat "$out")"
  grep -q "$2" "$out" || fail "no '$2' in: $(cat "$out")"
  shift 2
  [ "$(grep -c '^  [^ ]' "$out")" = $# ] || fail "not $# packages listed: $(cat "$out")"
  for p in "$@"; do
    grep -q "^  $p  *[A-Za-z]" "$out" || fail "$p is not listed with what it is: $(cat "$out")"
  done
}

export FAKE_INSTALLED="cmake qt6-base-dev appstream" FAKE_SUDO_N=0

# Everything installed: nothing to do, even without root or sudo.
run "$debian" 1000 || fail "exit $?: $(cat "$out")"
[ ! -s "$out" ] && [ ! -s "$log" ] || fail "did something: $(cat "$out" "$log")"

# As root: apt-get installs the missing packages only.
FAKE_INSTALLED=cmake
run "$debian" 0 || fail "exit $?: $(cat "$out")"
printf 'apt-get update\napt-get install -y --no-install-recommends qt6-base-dev appstream\n' |
  diff -u - "$log" || fail "root did not install the missing packages alone"

# Not root: the same through sudo.
run "$debian_sudo" 1000 || fail "exit $?: $(cat "$out")"
printf 'sudo\napt-get update\nsudo\napt-get install -y --no-install-recommends qt6-base-dev appstream\n' |
  diff -u - "$log" || fail "a user did not install through sudo"

# Not root and no sudo; sudo that wants a password and no terminal to ask it on;
# apt-get that fails: the packages to install by hand.
status=0; run "$debian" 1000 || status=$?
expect_by_hand $status "not root and sudo is not installed" qt6-base-dev appstream
[ ! -s "$log" ] || fail "ran $(cat "$log")"
status=0; run "$debian_sudo" 1000 FAKE_SUDO_N=1 || status=$?
expect_by_hand $status "sudo needs a password" qt6-base-dev appstream
[ ! -s "$log" ] || fail "ran $(cat "$log")"
status=0; run "$debian" 0 FAKE_APT_FAILS=1 || status=$?
expect_by_hand $status "apt-get failed" qt6-base-dev appstream

# No dpkg-query or apt-get: every package, as nothing tells which are installed.
status=0; run "$elsewhere" 0 || status=$?
expect_by_hand $status "not a Debian system" cmake qt6-base-dev appstream

# Every package make test installs is listed with what it is for.
status=0
FAKE_UID=1000 env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS PATH="$elsewhere" \
  "$(command -v make)" -s -C "$src" test-deps < /dev/null > "$out" 2>&1 || status=$?
[ $status != 0 ] || fail "make test-deps went ahead"
grep -q "not a Debian system" "$out" || fail "make test-deps: $(cat "$out")"
if grep '^  ' "$out" | grep -q 'needed to build or test Tessaly$'; then
  fail "packages without a word on what they are for: $(grep 'needed to build' "$out")"
fi
echo "debian packages ok"
