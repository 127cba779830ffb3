# Cross build for 64-bit Windows with MinGW-w64 (posix thread model, so that
# std::thread and friends are available), run under Wine by scripts/windows-tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DORVAX_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${DORVAX_MINGW_PREFIX}-gcc-posix ${DORVAX_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${DORVAX_MINGW_PREFIX}-g++-posix ${DORVAX_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${DORVAX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DORVAX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in statically: the programs then run on a bare Windows
# (or Wine) without the MinGW runtime DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
# Every function and object in a section of its own, so that the linker
# leaves out what a program does not use (the window needs none of the
# standard library's streams and locales that the batch program uses).
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")

# Tests and tools are started through Wine when they are run at build time.
find_program(DORVAX_WINE NAMES wine wine64)
if(DORVAX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DORVAX_WINE})
endif()
