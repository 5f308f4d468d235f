# Cross-compiling for Windows with MinGW-w64 from Debian.
#   TARNWICK_ARCH:    i686 or x86_64
#   TARNWICK_THREADS: win32 (the shipped program) or posix (GoogleTest needs
#                     std::mutex, which the win32 thread model lacks)
set(TARNWICK_ARCH "x86_64" CACHE STRING "i686 or x86_64")
set(TARNWICK_THREADS "win32" CACHE STRING "win32 or posix")

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TARNWICK_ARCH})
set(_triplet ${TARNWICK_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${_triplet}-gcc-${TARNWICK_THREADS})
set(CMAKE_CXX_COMPILER ${_triplet}-g++-${TARNWICK_THREADS})
set(CMAKE_RC_COMPILER ${_triplet}-windres)
set(CMAKE_OBJDUMP ${_triplet}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
