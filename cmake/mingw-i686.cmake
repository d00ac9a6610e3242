# Cross build for 32-bit Windows with Debian's MinGW-w64: the program handed
# to users.
set(BRINDLEWAY_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
