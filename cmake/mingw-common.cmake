# What both MinGW-w64 cross builds share; the file that includes this sets
# BRINDLEWAY_MINGW_TARGET (the compilers' prefix) and CMAKE_SYSTEM_PROCESSOR.
# The posix-thread variant compiles everything: GoogleTest needs its
# std::mutex, which the win32-thread one lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${BRINDLEWAY_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRINDLEWAY_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${BRINDLEWAY_MINGW_TARGET}-windres)
# The program itself runs on one thread and is linked by the win32-thread
# driver (see windows/CMakeLists.txt): the posix runtime brings winpthread,
# whose waits call GetTickCount64, which Windows XP lacks.
set(BRINDLEWAY_SINGLE_THREAD_LINKER ${BRINDLEWAY_MINGW_TARGET}-g++-win32)

set(CMAKE_FIND_ROOT_PATH /usr/${BRINDLEWAY_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No runtime DLLs next to the program: everything static.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
