# Cross build of the 64-bit twin of the Windows program (MinGW-w64, posix
# threads): the same sources, for running the tests under wine64 where the
# kernel refuses 32-bit code. Never shipped.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run through Wine in a prefix of the build's own.
# Through wine64 itself: Debian's wine wrapper would take the 32-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR env PELMORA_WINE_BITS=64 ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
