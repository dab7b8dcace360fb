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
    endif()
  endif()
endfunction()
