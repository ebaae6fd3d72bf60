# The Linux display: fontconfig finds the faces, FreeType measures them. Included by
# platform/CMakeLists.txt on every platform but Windows.
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)

add_library(display_freetype STATIC
  display_freetype.cpp face_choice.cpp face_library.cpp fontconfig_catalog.cpp freetype_face.cpp)
target_link_libraries(display_freetype PUBLIC platform PRIVATE Freetype::Freetype Fontconfig::Fontconfig)

# Prints the extent and base units measured for each face, to compare displays line by line.
add_executable(fw-measure measure_main.cpp)
target_link_libraries(fw-measure PRIVATE display_freetype)

fw_add_test(display_freetype_test
  SOURCES display_freetype_test.cpp face_choice_test.cpp
  LIBS display_freetype)
