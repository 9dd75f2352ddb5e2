#!/bin/sh
# Usage: uninstall.sh RECORD ROOT
# Removes the files listed in RECORD (one path a line: CMake's install_manifest.txt
# with DESTDIR put in front), all of which must lie under ROOT (DESTDIR and
# PREFIX together). Then removes the folders of Tessaly's own under ROOT (a
# folder named tessaly and the folders in it) left empty. Shared folders such
# as bin or share/applications stay, even empty. Nothing is removed when a
# listed file lies outside ROOT.
set -eu
record=$1
root=${2%/}

if [ ! -f "$record" ]; then
  echo "uninstall: $record does not exist: nothing was installed from this build." >&2
  exit 1
fi
while IFS= read -r f || [ -n "$f" ]; do
  case $f in
    "" | "$root"/*) ;;
    *) echo "uninstall: $f is not under $root: give make uninstall the PREFIX and DESTDIR given to make install." >&2
       exit 1 ;;
  esac
done < "$record"

while IFS= read -r f || [ -n "$f" ]; do
  [ -n "$f" ] || continue
  if [ -e "$f" ] || [ -L "$f" ]; then
    rm -f -- "$f"
    echo "removed $f"
  fi
  rel=${f#"$root"/}
  case $rel in */*) dir=${rel%/*} ;; *) dir="" ;; esac
  while [ -n "$dir" ]; do
    case /$dir/ in */tessaly/*) ;; *) break ;; esac
    rmdir -- "$root/$dir" 2> /dev/null || break
    echo "removed $root/$dir/"
    case $dir in */*) dir=${dir%/*} ;; *) dir="" ;; esac
  done
done < "$record"
