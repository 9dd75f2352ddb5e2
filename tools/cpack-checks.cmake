# Read by cpack before it builds a package. Without dpkg-shlibdeps, CPack would
# build a .deb that lists none of the libraries the programs link.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(TESSALY_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(TESSALY_FILE file)
  if(NOT TESSALY_DPKG_SHLIBDEPS OR NOT TESSALY_FILE)
    message(FATAL_ERROR "Building the .deb needs dpkg-shlibdeps and file: "
      "apt-get install dpkg-dev file (make package installs them).")
  endif()
endif()
