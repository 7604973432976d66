# The Debian package. `cpack -G DEB` in a build folder (scripts/package.sh
# configures a Release build and runs it) packs everything the install rules
# put under /usr into kelmora_<version>_<arch>.deb: the program, its menu
# entry, catalogue entry and icons (assets/CMakeLists.txt) and the copyright
# file (below).
#
# The package version comes from the program identity alone: the version
# string "s1.06" in src/base/Identity.h gives the package version 1.06. The
# project() version must name the same version (1.6: major 1, minor 6), or
# configuring stops here with the two values.
#
# A build without the widgets (KELMORA_GUI=OFF) has no program to pack and
# offers no package.

if(NOT KELMORA_GUI)
  return()
endif()

set(kelmora_identity_header "${PROJECT_SOURCE_DIR}/src/base/Identity.h")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${kelmora_identity_header}")
file(STRINGS "${kelmora_identity_header}" kelmora_version_line REGEX "versionString\\(\\)")
if(NOT kelmora_version_line MATCHES "QStringLiteral\\(\"s([0-9]+\\.[0-9]+)\"\\)")
  message(FATAL_ERROR "Packaging: no version string of the form \"sN.NN\" found in ${kelmora_identity_header} "
                      "(the line read was: ${kelmora_version_line})")
endif()
set(KELMORA_PACKAGE_VERSION "${CMAKE_MATCH_1}")
if(NOT KELMORA_PACKAGE_VERSION VERSION_EQUAL "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
  message(FATAL_ERROR "Packaging: the program identity says version ${KELMORA_PACKAGE_VERSION} "
                      "(src/base/Identity.h) but project() says ${PROJECT_VERSION} (CMakeLists.txt); "
                      "make them name the same version")
endif()

# What the program needs at run time beyond the libraries it links (which
# dpkg-shlibdeps finds): Qt's Turkish translations, the platform and print
# plugins, the fonts, xdg-open. scripts/packages/runtime.txt is that list, for
# the package as for a developer's machine; the first word of each line counts.
set(kelmora_runtime_list "${PROJECT_SOURCE_DIR}/scripts/packages/runtime.txt")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${kelmora_runtime_list}")
file(STRINGS "${kelmora_runtime_list}" kelmora_runtime_lines)
set(kelmora_runtime_packages)
foreach(line IN LISTS kelmora_runtime_lines)
  if(line MATCHES "^[ \t]*([^ \t#]+)")
    list(APPEND kelmora_runtime_packages "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT kelmora_runtime_packages)
  message(FATAL_ERROR "Packaging: ${kelmora_runtime_list} names no package")
endif()
list(JOIN kelmora_runtime_packages ", " kelmora_runtime_depends)
# Built with Qt's private text data (KELMORA_QT_PRIVATE, the *QtPrivate.cpp
# files of src/documents/model), only the Qt it was built against may run it,
# as Debian's own Qt modules depend on it; on the public API alone any Qt 6
# the libraries' own dependencies allow will do.
if(KELMORA_QT_PRIVATE)
  string(APPEND kelmora_runtime_depends ", qt6-base-abi (= ${Qt6_VERSION})")
endif()

install(FILES "${CMAKE_CURRENT_LIST_DIR}/debian/copyright"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/kelmora")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelmora)
set(CPACK_PACKAGE_VERSION "${KELMORA_PACKAGE_VERSION}")
set(CPACK_PACKAGE_VENDOR TORVANTA)
set(CPACK_PACKAGE_CONTACT "TORVANTA <bilgi@torvanta.com.tr>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.torvanta.com.tr")
# The synopsis; the long description, Turkish then English, follows it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "kelime işlemci - word processor with a Turkish user interface")
set(CPACK_PACKAGE_DESCRIPTION_FILE "${CMAKE_CURRENT_LIST_DIR}/debian/description.txt")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${kelmora_runtime_depends}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
