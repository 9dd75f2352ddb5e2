#!/bin/sh
# Usage: check_old_qt.sh SOURCE_DIR
# Configures the project against a stand-in Qt 6.1 package and checks that the
# configuration stops with the sentence saying which Debian packages to install.
set -eu
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/qt"
echo 'set(Qt6_FOUND TRUE)' > "$work/qt/Qt6Config.cmake"
cat > "$work/qt/Qt6ConfigVersion.cmake" <<'EOF'
set(PACKAGE_VERSION 6.1.0)
set(PACKAGE_VERSION_COMPATIBLE FALSE)
if(PACKAGE_FIND_VERSION VERSION_LESS_EQUAL PACKAGE_VERSION)
  set(PACKAGE_VERSION_COMPATIBLE TRUE)
endif()
EOF
# Only the stand-in may be found: no search of the system folders.
if cmake -S "$src" -B "$work/build" -DQt6_DIR="$work/qt" -DTESSALY_TESTS=OFF \
     -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF -DCMAKE_FIND_USE_SYSTEM_ENVIRONMENT_PATH=OFF \
     -DCMAKE_MAKE_PROGRAM="$(command -v make)" -DCMAKE_CXX_COMPILER="$(command -v c++)" \
     > "$work/log" 2>&1; then
  cat "$work/log"
  echo "configured against Qt 6.1"
  exit 1
fi
# CMake wraps long messages: join the lines before looking.
if ! tr -s ' \n' '  ' < "$work/log" | grep -q 'Qt 6.2 or newer.*apt-get install qt6-base-dev'; then
  cat "$work/log"
  echo "no word on what to install"
  exit 1
fi
echo "old qt refused"
