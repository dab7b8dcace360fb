# What both MinGW-w64 cross builds share (posix threads, static runtime);
# the toolchain file of each build sets PELMORA_MINGW_PROCESSOR (i686 or
# x86_64) and PELMORA_WINE_BITS, then includes this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${PELMORA_MINGW_PROCESSOR})
set(triplet ${PELMORA_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run through Wine in a prefix of the build's own, started by
# the loader of the build's bitness (scripts/wine-common.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR
    env PELMORA_WINE_BITS=${PELMORA_WINE_BITS} ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
