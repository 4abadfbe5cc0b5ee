# Cross-compiling with MinGW-w64 for BRANDWICK_MINGW_ARCH (i686 or x86_64), set by the presets.
set(BRANDWICK_MINGW_ARCH "$ENV{BRANDWICK_MINGW_ARCH}" CACHE STRING "i686 or x86_64")
if(NOT BRANDWICK_MINGW_ARCH MATCHES "^(i686|x86_64)$")
    message(FATAL_ERROR "BRANDWICK_MINGW_ARCH must be i686 or x86_64")
endif()
# The thread model of Debian's MinGW compilers, also set by the presets; the runtime is linked statically.
# The release takes win32: the posix runtime (winpthreads) imports GetTickCount64, and Windows XP refuses
# to start a program with an import it lacks. The Wine tests take posix: GoogleTest 1.12 needs std::mutex,
# which GCC 12 has only in the posix model (and it cannot be told otherwise on Windows).
set(BRANDWICK_MINGW_THREADS "$ENV{BRANDWICK_MINGW_THREADS}" CACHE STRING "win32 or posix")
if(NOT BRANDWICK_MINGW_THREADS MATCHES "^(win32|posix)$")
    message(FATAL_ERROR "BRANDWICK_MINGW_THREADS must be win32 or posix")
endif()
# try_compile projects read this file again and need both too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRANDWICK_MINGW_ARCH BRANDWICK_MINGW_THREADS)
set(triple ${BRANDWICK_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${BRANDWICK_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triple}-gcc-${BRANDWICK_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${BRANDWICK_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
