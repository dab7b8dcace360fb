# Two builds of one commit must give the same bytes, wherever the source
# lies and whenever the build runs, so that anyone can rebuild a release
# and compare it with a download.

if(NOT MSVC)
  # __FILE__ in assertions and the debug line tables would otherwise carry
  # the folder of this checkout and of the build. The build folder comes
  # last: it usually lies inside the source folder, and the last matching
  # map wins.
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
endif()

if(MINGW)
  # ld stamps the link's wall-clock time into the PE header; a build is
  # identified by its commit instead, and the header keeps 0.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
