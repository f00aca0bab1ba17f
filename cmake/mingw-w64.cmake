# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads), tests run under Wine.
# cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELMAR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KELMAR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELMAR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELMAR_MINGW_TRIPLE}-windres)

# Static runtime: the executables need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Look for libraries and packages of the target only, never the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${KELMAR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# wine64 itself, not the wrapper that asks for the 32-bit loader on every start.
find_program(KELMAR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KELMAR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KELMAR_WINE})
endif()
