# Install rules and CPack settings of the two packages, made by scripts/package from a build
# tree: the Debian package of the Linux command line (build/linux) and the zip of the Windows
# programs (build/windows). Everything takes its version from project().
set(FW_PACKAGE_MAINTAINER "The Formwright authors <formwright@example.org>")
set(fw_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(fw_generated ${CMAKE_BINARY_DIR}/packaging)

# The release date and copyright year: the newest heading of CHANGELOG.md.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md fw_newest REGEX "^## " LIMIT_COUNT 1)
if(NOT fw_newest MATCHES "^## ${PROJECT_VERSION} - (([0-9]+)-[0-9]+-[0-9]+)$")
  message(FATAL_ERROR "CHANGELOG.md: the newest heading must read \"## ${PROJECT_VERSION} - "
                      "YYYY-MM-DD\", not \"${fw_newest}\"")
endif()
set(FW_RELEASE_DATE ${CMAKE_MATCH_1})
set(FW_COPYRIGHT "${CMAKE_MATCH_2} The Formwright authors")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_PACKAGE_NAME formwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Formwright authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn the dialogs of resource scripts into BASIC source")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_windows.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_debian.cmake)
endif()

include(CPack)
