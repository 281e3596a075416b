# The installer's facts, written at configure time into <build>/installer/defines.nsh for
# installer/pelkocfg.nsi: each taken from the one place the product keeps it, so that the
# installer cannot drift from the programs. scripts/installer builds the installer.

# The text of `inline constexpr wchar_t <name>[] = L"...";` in a header (the literal may stand
# on the next line), its escaped backslashes made single.
function(pelko_header_text out header name)
  file(READ ${CMAKE_SOURCE_DIR}/${header} content)
  string(REGEX MATCH "inline constexpr wchar_t ${name}\\[\\] =[ \n]*L\"[^\"]*\";" line
    "${content}")
  if(NOT line)
    message(FATAL_ERROR "${header} defines no ${name}: the installer needs it")
  endif()
  string(REGEX REPLACE ".*L\"([^\"]*)\".*" "\\1" text "${line}")
  string(REPLACE "\\\\" "\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A string value of the program's version information.
function(pelko_version_info_text out name)
  file(STRINGS ${CMAKE_SOURCE_DIR}/app/resources/pelkocfg.rc line
    REGEX "VALUE \"${name}\", \"[^\"]*\"")
  if(NOT line)
    message(FATAL_ERROR "app/resources/pelkocfg.rc has no ${name}: the installer needs it")
  endif()
  string(REGEX REPLACE ".*VALUE \"${name}\", \"([^\"]*)\".*" "\\1" text "${line}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

pelko_header_text(installer_run_key companion/face/start_with_windows.h kRunKey)
pelko_header_text(installer_run_value companion/face/start_with_windows.h kRunValue)
pelko_header_text(installer_startup_approved_key companion/face/start_with_windows.h
  kStartupApprovedKey)
pelko_header_text(installer_companion_class companion/core/companion_window.h kCompanionClass)
pelko_header_text(installer_companion_title companion/core/companion_window.h kCompanionTitle)
pelko_version_info_text(installer_product ProductName)
pelko_version_info_text(installer_publisher CompanyName)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE installer_copyright REGEX "^Copyright " LIMIT_COUNT 1)
set(installer_icon ${CMAKE_BINARY_DIR}/app/resources/pelkocfg.ico)

configure_file(${CMAKE_SOURCE_DIR}/installer/defines.nsh.in
  ${CMAKE_BINARY_DIR}/installer/defines.nsh @ONLY)
