# The same sources built for 64-bit Windows, for testing only: on a machine
# whose kernel runs no 32-bit programs, 32-bit Wine cannot start, and the
# Windows suite runs from this build under 64-bit Wine instead. The program
# handed to users is always the 32-bit one (mingw-i686.cmake).
set(BRINDLEWAY_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
