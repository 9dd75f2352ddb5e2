#!/bin/sh
# Usage: check_install.sh SOURCE_DIR BUILD_DIR VERSION
# Installs the build into a scratch folder beside other programs' files, as
# "make install DESTDIR=..." does, and checks the files installed, the desktop
# entry, the study file type and the metainfo file. Then "make uninstall" with
# the same DESTDIR: every installed file and Tessaly's own folder go, the other
# programs' files and the shared folders stay.
set -eu
src=$1
build=$2
version=$3
expected="$src/tests/install/expected-files.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
prefix="$root/usr/local"
record="$work/installed-files.txt"

# The Makefile's targets, on this build and this scratch root.
mk() {
  env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS make -C "$src" --no-print-directory \
    BUILD="$build" INSTALLED="$record" DESTDIR="$root" PREFIX=/usr/local "$@"
}
fail() { echo "$*"; exit 1; }

mkdir -p "$prefix/bin" "$prefix/share/applications" "$prefix/share/doc/other"
echo other > "$prefix/bin/other"
echo other > "$prefix/share/applications/other.desktop"
echo other > "$prefix/share/doc/other/copyright"
others=$(cd "$root" && find . | LC_ALL=C sort)

mk install-built
# What CMake says it installed is the expected list, and it is all there.
sed "s|^$prefix/||" "$record" | LC_ALL=C sort > "$work/installed"
LC_ALL=C sort "$expected" | diff -u - "$work/installed" || fail "installed files differ from $expected"
while read -r f; do
  [ -f "$prefix/$f" ] || fail "missing: $f"
done < "$expected"
for f in bin/tessaly bin/tessaly-cli libexec/tessaly/tessaly-cli-graphics; do
  [ -x "$prefix/$f" ] || fail "not executable: $f"
done
# The installed tool finds its drawing commands where the install put them.
QT_QPA_PLATFORM=offscreen "$prefix/bin/tessaly-cli" plot -o "$work/graph.png" || fail "tessaly-cli plot failed"
[ -s "$work/graph.png" ] || fail "tessaly-cli plot wrote nothing"
cmp "$src/LICENSE" "$prefix/share/doc/tessaly/copyright" || fail "copyright is not LICENSE"

desktop-file-validate "$prefix/share/applications/tessaly.desktop"
# The file type compiles, and study files are known by their first item.
update-mime-database "$prefix/share/mime"
grep -q '^application/x-tessaly-study$' "$prefix/share/mime/types"
grep -q 'Tessaly' "$prefix/share/mime/magic"
grep -q "^application/x-tessaly-study:\*\.tsy$" "$prefix/share/mime/globs"
grep -q "^application/x-tessaly-study:\*\.txt$" "$prefix/share/mime/globs"
# The metainfo file is valid, its launchable is the desktop entry installed
# beside it, and its release is the project's version.
metainfo="$prefix/share/metainfo/io.github.tessaly.Tessaly.metainfo.xml"
if command -v appstreamcli > /dev/null; then
  appstreamcli validate-tree --no-net --pedantic --strict "$prefix"
else
  echo "appstreamcli not found: the metainfo file is not validated"
fi
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" "$metainfo" ||
  fail "no release $version in the metainfo file"
# The installed tool runs, and its manual pages are the build's.
"$prefix/bin/tessaly-cli" eval 1/4 | grep -qx '0.25'
for page in tessaly tessaly-cli; do
  cmp "$build/man/$page.1.gz" "$prefix/share/man/man1/$page.1.gz" || fail "$page.1.gz is not the build's"
done

# An uninstall given another prefix refuses and removes nothing.
if mk uninstall PREFIX=/opt; then fail "uninstall with another PREFIX went ahead"; fi
while read -r f; do
  [ -f "$prefix/$f" ] || fail "removed by a refused uninstall: $f"
done < "$expected"

mk uninstall
while read -r f; do
  [ ! -e "$prefix/$f" ] || fail "left by uninstall: $f"
done < "$expected"
[ ! -e "$prefix/share/doc/tessaly" ] || fail "left by uninstall: share/doc/tessaly"
[ ! -e "$record" ] || fail "uninstall kept its record of the install"
for d in bin share/applications share/metainfo share/icons/hicolor/scalable/apps share/man/man1 \
         share/bash-completion/completions; do
  [ -d "$prefix/$d" ] || fail "uninstall removed the shared folder $d"
done
echo "$others" | while read -r f; do
  [ -e "$root/$f" ] || fail "uninstall removed $f"
done
echo "install layout ok"
