# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, in its posix
# threads flavour (std::thread and std::mutex, which Qt uses, need it).
# Used for Qt itself (scripts/qt-windows) and for the program (scripts/windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KAVLO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KAVLO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVLO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KAVLO_MINGW}-windres)

# Libraries and packages come from the MinGW tree and from the prefixes named
# on the command line (Qt for Windows), never from the Linux system.
set(CMAKE_FIND_ROOT_PATH /usr/${KAVLO_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
