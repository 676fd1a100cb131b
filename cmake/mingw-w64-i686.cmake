# Cross-compiling for 32-bit Windows with mingw-w64 (Debian:
# g++-mingw-w64-i686-posix, mingw-w64-tools, libwine-dev). Used by the
# Windows build in com/ (preset "windows-32"). Everything but the target
# comes from the 64-bit toolchain file.
set(QUIBOR15_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
