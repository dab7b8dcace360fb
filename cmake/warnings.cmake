# Texts in the sources are UTF-8; the program's own text values are GBK, so
# narrow literals are stored as code page 936 bytes. u8"" literals stay UTF-8.
if(MSVC)
  add_compile_options(/W4 /WX /utf-8 /execution-charset:.936 /permissive- /GR-)
  add_compile_definitions(_HAS_EXCEPTIONS=0 _CRT_SECURE_NO_WARNINGS)
else()
  add_compile_options(-Wall -Wextra -Werror -Werror=return-type
                      -finput-charset=UTF-8 -fexec-charset=GBK)
endif()

if(PELMORA_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # The library's bounds checks, as the Windows product is built with them.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()

# Shared by everything in the .exe: no exceptions, no RTTI, one static image.
function(pelmora_product_options target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
    if(WIN32)
      # Small executable: unused functions and unwind tables go.
      target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections
                             -fno-asynchronous-unwind-tables -fno-unwind-tables
                             -fno-threadsafe-statics)
      # libstdc++'s own instantiation of std::string is built with
      # exceptions and links the unwinder and winpthreads (about 60 KiB).
      # With assertions on, the library lets every user instantiate the
      # string itself, here without exceptions, and checks its bounds.
      target_compile_definitions(${target} PRIVATE _GLIBCXX_ASSERTIONS)
    endif()
  endif()
endfunction()
