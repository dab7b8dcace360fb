# Resources of pelmora.exe: manifest, version, icon, form description and
# the carried installer.
function(pelmora_embed_resources target)
  configure_file(${PROJECT_SOURCE_DIR}/resources/version.h.in
                 ${CMAKE_BINARY_DIR}/resources/version.h)
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/resources/pelmora.rc APPEND PROPERTY
               OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/pelmora.manifest)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/resources)
endfunction()
