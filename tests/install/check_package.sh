#!/bin/sh
# Usage: check_package.sh SOURCE_DIR BUILD_DIR VERSION
# Builds the .deb of the build as it is, as make package does but into a scratch
# folder, checks its control fields and its files, unpacks it into a scratch
# root with dpkg -x and runs the command-line tool from there.
set -eu
src=$1
build=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/out/tessaly_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb; cpack wrote: $(ls "$work/out")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tessaly ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = math ] || fail "Section: $(field Section)"
case $(field Maintainer) in
  ?*" <"?*@?*">") ;;
  *) fail "Maintainer is not 'Name <address>': $(field Maintainer)" ;;
esac
# A one-line synopsis and an extended description below it.
[ "$(field Description | wc -l)" -gt 2 ] || fail "no extended description"
# The libraries the programs link, found by dpkg-shlibdeps, and the fonts they draw with.
field Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' > "$work/depends"
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
         fonts-liberation fonts-dejavu-core; do
  grep -qx "$p" "$work/depends" || fail "Depends lacks $p: $(field Depends)"
done

# The package holds what make install installs, under /usr.
root="$work/root"
dpkg -x "$deb" "$root"
(cd "$root/usr" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) > "$work/files"
LC_ALL=C sort "$src/tests/install/expected-files.txt" | diff -u - "$work/files" ||
  fail "the package's files differ from tests/install/expected-files.txt"

cli="$root/usr/bin/tessaly-cli"
# The unpacked tool runs, and is of this version.
[ "$("$cli" --version)" = "tessaly-cli $version" ] || fail "the unpacked tessaly-cli is not $version"
echo "package ok"
