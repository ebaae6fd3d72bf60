# The Windows zip (cmake/packaging.cmake): formwright.exe and formwright-cli.exe with the
# template sets in template/ beside them, where both look, the examples, README and LICENSE.
if(NOT TARGET formwright OR NOT TARGET formwright-cli)
  return()
endif()

# A version resource in each program.
foreach(program IN ITEMS formwright formwright-cli)
  set(FW_FILE_NAME ${program})
  if(program STREQUAL formwright)
    set(FW_FILE_DESCRIPTION "Formwright: resource script to BASIC source")
  else()
    set(FW_FILE_DESCRIPTION "Formwright command line: resource script to BASIC source")
  endif()
  configure_file(${fw_packaging}/version.rc.in ${fw_generated}/${program}-version.rc @ONLY)
  target_sources(${program} PRIVATE ${fw_generated}/${program}-version.rc)
endforeach()

install(TARGETS formwright formwright-cli RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples
        PATTERN .gitattributes EXCLUDE)

# README and LICENSE as plain text with Windows line ends, for any text editor.
foreach(doc IN ITEMS README.md LICENSE)
  get_filename_component(fw_stem ${doc} NAME_WE)
  file(READ ${PROJECT_SOURCE_DIR}/${doc} fw_text)
  string(REPLACE "\r\n" "\n" fw_text "${fw_text}")
  string(REPLACE "\n" "\r\n" fw_text "${fw_text}")
  file(WRITE ${fw_generated}/${fw_stem}.txt "${fw_text}")
  install(FILES ${fw_generated}/${fw_stem}.txt DESTINATION .)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/${doc})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME formwright-${PROJECT_VERSION}-win64)
