#!/bin/sh
# Usage: debian-packages.sh PACKAGE...
# Installs the Debian packages named that are not installed yet, with apt-get
# (through sudo when not root); does nothing when all are. Where they cannot be
# installed that way (no dpkg or apt-get, not root and no usable sudo, or
# apt-get failed), prints the packages and what each is for, and exits 1.
set -u

# What a package is for, in a few words.
what() {
  case $1 in
    cmake) echo "CMake 3.25 or newer, the build system" ;;
    g++) echo "C++20 compiler (GCC 12 or newer)" ;;
    make) echo "GNU make" ;;
    googletest|libgtest-dev) echo "GoogleTest, for the tests" ;;
    libgmock-dev) echo "GoogleMock, for the tests" ;;
    qt6-base-dev) echo "Qt 6.2 or newer: Core, Gui, Widgets, PrintSupport, Test" ;;
    qt6-svg-dev) echo "Qt 6 SVG, for the graph as an SVG drawing" ;;
    qt6-qpa-plugins) echo "Qt 6 platform plugins" ;;
    libgl-dev) echo "OpenGL headers, which Qt's CMake files ask for" ;;
    fonts-dejavu-core) echo "DejaVu fonts, drawn by the graph and the report" ;;
    fonts-liberation) echo "Liberation fonts, drawn by the graph and the report" ;;
    poppler-utils) echo "pdftotext, for the tests that read the printed report" ;;
    locales) echo "locale data, for the decimal-separator tests" ;;
    desktop-file-utils) echo "desktop-file-validate, for the install test" ;;
    shared-mime-info) echo "update-mime-database, for the install test" ;;
    appstream) echo "appstreamcli, checks the metainfo file in the install test" ;;
    man-db) echo "man, renders the manual pages in their test" ;;
    groff-base) echo "groff, which man renders the manual pages with" ;;
    python3) echo "Python, reads the JSON output of tessaly-cli back in a test" ;;
    dpkg-dev) echo "dpkg-shlibdeps, finds the .deb's library dependencies" ;;
    file) echo "file, which CPack runs to find the programs in the .deb" ;;
    libbenchmark-dev) echo "Google Benchmark, for make bench" ;;
    libmuparser-dev) echo "muparser, the benchmarks' reference parser" ;;
    *) echo "needed to build or test Tessaly" ;;
  esac
}

# Prints the packages to install by hand and why they were not installed; exits 1.
by_hand() {
  echo "Tessaly needs these Debian packages (or your system's equivalents):"
  for p in $missing; do
    printf '  %-20s %s\n' "$p" "$(what "$p")"
  done
  echo "They cannot be installed from here: $1."
  echo "Install them by hand, then run make again."
  exit 1
}

missing=""
if command -v dpkg-query > /dev/null 2>&1; then
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q 'install ok installed' ||
      missing="$missing $p"
  done
else
  missing=" $*"
fi
[ -n "$missing" ] || exit 0

command -v dpkg-query > /dev/null 2>&1 && command -v apt-get > /dev/null 2>&1 ||
  by_hand "this is not a Debian system (no dpkg-query or apt-get)"
if [ "$(id -u)" = 0 ]; then
  sudo=""
elif ! command -v sudo > /dev/null 2>&1; then
  by_hand "you are not root and sudo is not installed"
elif sudo -n true 2> /dev/null || [ -t 0 ]; then
  sudo="sudo"
else
  by_hand "you are not root and sudo needs a password, with no terminal to ask it on"
fi

echo "Installing:$missing"
# shellcheck disable=SC2086 # one word a package
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update &&
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing ||
  by_hand "apt-get failed (see above)"
