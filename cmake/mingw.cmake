# Cross-compiling with MinGW-w64 for BRANDWICK_MINGW_ARCH (i686 or x86_64), set by the presets.
# The posix thread model: GoogleTest needs std::mutex. The runtime is linked statically either way.
set(BRANDWICK_MINGW_ARCH "$ENV{BRANDWICK_MINGW_ARCH}" CACHE STRING "i686 or x86_64")
if(NOT BRANDWICK_MINGW_ARCH MATCHES "^(i686|x86_64)$")
    message(FATAL_ERROR "BRANDWICK_MINGW_ARCH must be i686 or x86_64")
endif()
# try_compile projects read this file again and need the architecture too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRANDWICK_MINGW_ARCH)
set(triple ${BRANDWICK_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${BRANDWICK_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
