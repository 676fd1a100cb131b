# Cross-compiling for 64-bit Windows with mingw-w64 (Debian:
# g++-mingw-w64-x86-64-posix, mingw-w64-tools, libwine-dev). Used by the
# Windows build in com/ (preset "windows"); the Linux build never reads it.
# mingw-w64-i686.cmake sets the 32-bit target and includes this file.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT QUIBOR15_MINGW_TRIPLE)
  set(QUIBOR15_MINGW_TRIPLE x86_64-w64-mingw32)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
endif()
# The posix thread model: the C++ runtime's threads and mutexes need it.
find_program(CMAKE_C_COMPILER NAMES ${QUIBOR15_MINGW_TRIPLE}-gcc-posix ${QUIBOR15_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUIBOR15_MINGW_TRIPLE}-g++-posix ${QUIBOR15_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUIBOR15_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${QUIBOR15_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The IDL compiler and the standard IDL imports (oaidl.idl, ocidl.idl) and
# stdole2.tlb come with Wine's development files; Wine's own widl matches
# them.
find_program(QUIBOR15_WIDL NAMES widl ${QUIBOR15_MINGW_TRIPLE}-widl REQUIRED)
find_path(QUIBOR15_WIDL_INCLUDE_DIR oaidl.idl PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(QUIBOR15_STDOLE_DIR stdole2.tlb
          PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows /usr/lib64/wine/x86_64-windows
                /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/i386-windows
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
