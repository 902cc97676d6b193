# The Win32 threads flavour: its runtime waits and locks with Windows' own
# primitives, where the POSIX one links in a threads library of 30 KB.
set(CMAKE_C_COMPILER ${VELORIA_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VELORIA_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${VELORIA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELORIA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
