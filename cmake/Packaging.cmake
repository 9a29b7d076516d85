# Debian package: "cpack -G DEB" in the build folder writes velmora_<version>_<arch>.deb.
# Dependencies are computed from the binaries (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <${VELMORA_CONTACT}>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "paint a picture into the terrain of a StarCraft map")
set(CPACK_PACKAGE_DESCRIPTION
  "Velmora paints a picture into the terrain of a StarCraft map archive
(*.scm, *.scx): every pixel becomes one terrain tile. Its windows load a
map and a picture, give each colour a tile value, convert and save;
velmora-cli does the same from scripts. Licensed under the MIT licence.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELMORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Velmora developers <${VELMORA_CONTACT}>")
# Only what install() names goes into the package; the tests and tools are not installed.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Velmora;ALL;/")
include(CPack)
