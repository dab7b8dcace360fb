# What the release zip carries beside pelmora.exe, written for Windows users
# into ${CMAKE_BINARY_DIR}/resources/release: the user guide, filled in with
# the project's version and the support group, and the licence. Both in
# Windows line endings; the guide with a BOM, so that Notepad takes it for
# UTF-8.
set(PELMORA_VERSION ${PROJECT_VERSION})
set(guide_template ${CMAKE_CURRENT_LIST_DIR}/user_guide.txt.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${guide_template} ${PROJECT_SOURCE_DIR}/LICENSE)

file(READ ${guide_template} guide)
# A placeholder without a value would silently read as nothing.
string(REGEX MATCHALL "@[A-Za-z_]+@" placeholders "${guide}")
foreach(placeholder ${placeholders})
  string(REPLACE "@" "" name ${placeholder})
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "the user guide's ${placeholder} has no value")
  endif()
endforeach()

string(ASCII 239 187 191 utf8_bom)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/resources/release/guide.txt
     CONTENT "${utf8_bom}${guide}" @ONLY NEWLINE_STYLE CRLF)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/resources/release/LICENSE.txt
     CONTENT "${licence}" @ONLY NEWLINE_STYLE CRLF)

# The deployment scripts for Intune, Configuration Manager and Group Policy,
# in Windows line endings: cmd reads a batch file with LF endings wrongly
# around labels, and Notepad shows one line. Copied byte for byte otherwise,
# since cmd reads the .cmd files in the OEM code page.
foreach(script install.cmd uninstall.cmd detect.ps1)
  set(source ${CMAKE_CURRENT_LIST_DIR}/deploy/${script})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_BINARY_DIR}/resources/release/deploy/${script} "${text}")
endforeach()
