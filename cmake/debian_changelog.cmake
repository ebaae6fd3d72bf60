# Writes the Debian changelog of the package from CHANGELOG.md, so that the history is kept in
# one place. Run as a script:
#   cmake -DIN=CHANGELOG.md -DOUT=changelog -DPACKAGE=formwright -DVERSION=0.1.0
#         "-DMAINTAINER=Name <mail>" -P debian_changelog.cmake
# Each "## VERSION - YYYY-MM-DD" heading becomes an entry, each "- " item a "  * " line, and
# lines indented by two spaces continue the item. The newest entry must be VERSION.
foreach(var IN ITEMS IN OUT PACKAGE VERSION MAINTAINER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "debian_changelog.cmake: ${var} is not set")
  endif()
endforeach()

file(STRINGS ${IN} lines ENCODING UTF-8)
set(out "")
set(entry_version "")
set(entry_trailer "")
set(first_version "")

# Closes the entry in progress with its trailer line.
macro(fw_close_entry)
  if(NOT entry_version STREQUAL "")
    string(APPEND out "\n${entry_trailer}\n")
  endif()
endmacro()

foreach(line IN LISTS lines)
  if(line MATCHES "^## ([^ ]+) - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
    fw_close_entry()
    if(NOT out STREQUAL "")
      string(APPEND out "\n")
    endif()
    set(entry_version ${CMAKE_MATCH_1})
    if(first_version STREQUAL "")
      set(first_version ${entry_version})
    endif()
    # The Debian changelog wants the RFC 5322 date; noon UTC of the day in CHANGELOG.md.
    execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_2} 12:00"
                    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    set(entry_trailer " -- ${MAINTAINER}  ${date}")
    string(APPEND out "${PACKAGE} (${entry_version}) unstable; urgency=medium\n\n")
  elseif(line MATCHES "^## ")
    message(FATAL_ERROR "${IN}: a version heading must read \"## VERSION - YYYY-MM-DD\": ${line}")
  elseif(entry_version STREQUAL "")
    # The introduction above the first version.
  elseif(line MATCHES "^- (.*)$")
    string(APPEND out "  * ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^  ([^ ].*)$")
    string(APPEND out "    ${CMAKE_MATCH_1}\n")
  elseif(NOT line STREQUAL "")
    message(FATAL_ERROR "${IN}: not an item or its continuation: ${line}")
  endif()
endforeach()
fw_close_entry()

if(NOT first_version STREQUAL VERSION)
  message(FATAL_ERROR "${IN}: the newest entry is \"${first_version}\", the project is ${VERSION}")
endif()
file(WRITE ${OUT} "${out}")
