#!/bin/sh
# Installs a build into a scratch folder, as "make install DESTDIR=..." does, and
# checks the layout, the desktop entry and the study file type.
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr/local > /dev/null
prefix="$root/usr/local"
for f in bin/tessaly bin/tessaly-cli share/applications/tessaly.desktop \
         share/icons/hicolor/scalable/apps/tessaly.svg share/mime/packages/tessaly.xml; do
  if [ ! -f "$prefix/$f" ]; then echo "missing: $f"; exit 1; fi
done
for f in bin/tessaly bin/tessaly-cli; do
  if [ ! -x "$prefix/$f" ]; then echo "not executable: $f"; exit 1; fi
done
desktop-file-validate "$prefix/share/applications/tessaly.desktop"
# The file type compiles, and study files are known by their first item.
update-mime-database "$prefix/share/mime"
grep -q '^application/x-tessaly-study$' "$prefix/share/mime/types"
grep -q 'Tessaly' "$prefix/share/mime/magic"
# The installed tool runs.
"$prefix/bin/tessaly-cli" eval 1/4 | grep -qx '0.25'
echo "install layout ok"
