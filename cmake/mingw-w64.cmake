# Cross build for 64-bit Windows with MinGW-w64. The programs link libgcc and libstdc++
# statically, so each .exe runs on Windows with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FW_MINGW_PREFIX x86_64-w64-mingw32)
# The POSIX thread model: its libstdc++ has std::mutex and std::thread, which GoogleTest uses.
set(CMAKE_C_COMPILER ${FW_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FW_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${FW_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FW_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
