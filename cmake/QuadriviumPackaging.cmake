# The Debian package: `cpack --config build/CPackConfig.cmake` (./dev.sh
# package) makes build/quadrivium_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quadrivium)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT "Quadrivium maintainers <maintainers@quadrivium.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numerology readings from a name and a date of birth")
# The summary above is the first line of the package description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quadrivium keeps a list of persons filed in groups and shows for each of them
the birth chart with its six core numbers and lines, the pyramid of four
climaxes and the biorhythm of a chosen month, each number explained by an
editable interpretation text. Readings print as reports or export as RTF.
The quadrivium-cli command gives the same readings without the window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
