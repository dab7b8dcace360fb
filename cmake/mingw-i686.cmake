# Cross build of the 32-bit Windows program: the product.
set(PELMORA_MINGW_PROCESSOR i686)
set(PELMORA_WINE_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
