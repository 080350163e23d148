# Cross build of the Windows executable with mingw-w64 (Debian packages
# g++-mingw-w64-x86-64-posix and wine for running it):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The -posix compiler has the threads the standard library expects; -static
# makes scenpack.exe self-contained (no DLL of the compiler beside it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the executables under wine.
find_program(SCENPACK_WINE NAMES wine wine64)
if(SCENPACK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SCENPACK_WINE})
endif()
