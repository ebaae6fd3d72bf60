# The preprocessor of resource scripts (script/pp_*, script/preprocessor.*), its tests, the
# token dump and the differential test against GCC's preprocessor.
add_library(preprocessor STATIC
  script/pp_lexer.cpp
  script/pp_macros.cpp
  script/pp_operators.cpp
  script/pp_expander.cpp
  script/pp_expression.cpp
  script/pp_files.cpp
  script/pp_system_headers.cpp
  script/pp_text.cpp
  script/preprocessor.cpp
  script/pp_directives.cpp)
target_include_directories(preprocessor PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(preprocessor PUBLIC textutil)

add_executable(fw-pp-dump script/pp_dump_main.cpp)
target_link_libraries(fw-pp-dump PRIVATE preprocessor)

fw_add_test(preprocessor_test
  SOURCES
    script/pp_lexer_test.cpp
    script/pp_macros_test.cpp
    script/pp_expander_test.cpp
    script/pp_expression_test.cpp
    script/pp_files_test.cpp
    script/pp_system_headers_test.cpp
    script/preprocessor_test.cpp
    script/pp_text_test.cpp
  LIBS preprocessor)

# Macro expansion against GCC's cpp on generated macro sets (Linux only: it runs cpp).
if(BUILD_TESTING AND NOT CMAKE_CROSSCOMPILING)
  find_package(Python3 COMPONENTS Interpreter)
  find_program(FW_GCC_CPP cpp)
  if(Python3_FOUND AND FW_GCC_CPP)
    add_test(NAME preprocessor_macro_diff
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/preprocess/macro_diff.py
                     --dump $<TARGET_FILE:fw-pp-dump> --cpp ${FW_GCC_CPP} --count 300)
  endif()
endif()
