# The Debian package (cmake/packaging.cmake): /usr/bin/formwright, its template sets, the
# manual page, bash completion, examples and the documents Debian wants.
if(NOT TARGET formwright)
  return()
endif()
set(fw_doc share/doc/formwright)
# Hardened as Debian builds programs: all symbols bound at start, so that relocations stay
# read-only.
target_link_options(formwright PRIVATE LINKER:-z,relro LINKER:-z,now)

# The copyright file: the licence text of LICENSE, in the machine-readable form.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE fw_license_lines)
set(FW_LICENSE_TEXT "")
set(fw_in_body OFF)
foreach(line IN LISTS fw_license_lines)
  if(line MATCHES "^Permission is hereby granted")
    set(fw_in_body ON)
  endif()
  if(NOT fw_in_body)
    continue()
  elseif(line STREQUAL "")
    string(APPEND FW_LICENSE_TEXT " .\n")
  else()
    string(APPEND FW_LICENSE_TEXT " ${line}\n")
  endif()
endforeach()
string(STRIP "${FW_LICENSE_TEXT}" FW_LICENSE_TEXT)
set(FW_LICENSE_TEXT " ${FW_LICENSE_TEXT}")
configure_file(${fw_packaging}/copyright.in ${fw_generated}/copyright @ONLY)

# The manual page and the Debian changelog, compressed as Debian wants: gzip -9n, no name
# and no time stamp in the header, so that the package is reproducible.
configure_file(${PROJECT_SOURCE_DIR}/docs/formwright.1.in ${fw_generated}/formwright.1 @ONLY)
find_program(FW_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${fw_generated}/formwright.1.gz
  COMMAND ${FW_GZIP} -9nf -k ${fw_generated}/formwright.1
  DEPENDS ${fw_generated}/formwright.1
  VERBATIM)
add_custom_command(
  OUTPUT ${fw_generated}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/CHANGELOG.md -DOUT=${fw_generated}/changelog
          -DPACKAGE=formwright -DVERSION=${PROJECT_VERSION}
          "-DMAINTAINER=${FW_PACKAGE_MAINTAINER}"
          -P ${CMAKE_CURRENT_LIST_DIR}/debian_changelog.cmake
  COMMAND ${FW_GZIP} -9nf ${fw_generated}/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${CMAKE_CURRENT_LIST_DIR}/debian_changelog.cmake
  VERBATIM)
add_custom_target(fw_package_files ALL
                  DEPENDS ${fw_generated}/formwright.1.gz ${fw_generated}/changelog.gz)

# The program (install(TARGETS) in frontend/) and the template sets (templates/) have their
# own rules.
install(FILES ${fw_generated}/formwright.1.gz DESTINATION share/man/man1)
install(FILES ${fw_packaging}/formwright.bash-completion
        DESTINATION share/bash-completion/completions RENAME formwright)
# A native package: its Debian changelog is changelog.gz.
install(FILES ${fw_generated}/copyright ${fw_generated}/changelog.gz ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${fw_doc})
install(FILES ${PROJECT_SOURCE_DIR}/templates/README.md DESTINATION ${fw_doc} RENAME templates.md)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${fw_doc}/examples
        PATTERN .gitattributes EXCLUDE)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${FW_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Depends from the libraries the program links; fonts-wine changes the measurements of the
# classic dialog faces but links nothing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)
set(CPACK_PACKAGE_DESCRIPTION
    "Formwright reads the dialogs of a Windows resource script (.rc) and their
CONTROL statements, measures the dialog fonts to turn dialog units into
pixels, and fills the templates of a template set to write BASIC source:
the main source (.bas), the IDE project file (.fbp) and, in multi-file mode,
one include file (.bi) per dialog. It keeps backups of the files it
replaces.
.
The template set winapi and example scripts are included.")

# Tests of what the package ships, run from the build tree.
if(BUILD_TESTING AND EXISTS /usr/share/bash-completion/bash_completion)
  add_test(NAME bash_completion
           COMMAND ${PROJECT_SOURCE_DIR}/tests/package/completion_test.sh
                   $<TARGET_FILE:formwright> ${fw_packaging}/formwright.bash-completion)
endif()
