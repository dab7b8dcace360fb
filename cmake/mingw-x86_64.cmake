# Cross build of the 64-bit twin of the Windows program: the same sources,
# for running the tests under wine64 where the kernel refuses 32-bit code.
# Never shipped.
set(PELMORA_MINGW_PROCESSOR x86_64)
set(PELMORA_WINE_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
