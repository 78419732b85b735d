# The Debian package: `cpack -G DEB` in the build folder (scripts/package). Its dependencies are worked out by
# dpkg-shlibdeps from what the installed program really links.
set(CPACK_PACKAGE_NAME vorlix)
set(CPACK_PACKAGE_VENDOR "Quarl")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quarl <vorlix@quarl.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop network traffic meter")
set(CPACK_PACKAGE_DESCRIPTION
  "Vorlix lists the machine's network interfaces with the bytes each has received and sent, and opens a watcher \
panel for every interface you tick: a scrolling download and upload graph, current and maximum rates, interface \
and session totals.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quarl.example/vorlix")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
