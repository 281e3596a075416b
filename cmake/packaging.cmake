# The release package: pelkocfg-<version>-win32.zip (win64 for the x86_64 build), one folder of
# the same name holding the program, the companion pelkotray.exe, the console program
# pelkoctl.exe, the skin library, the user's README.txt and the licence. These are the project's only install rules,
# so nothing else can land in the package.

# The window shows the program's version from its layout table; it must match the project's.
file(STRINGS ${CMAKE_SOURCE_DIR}/app/window_layout.h shown_version
  REGEX "kSoftwareVersion\\[3\\] = {[0-9]+, [0-9]+, [0-9]+}")
string(REGEX REPLACE ".*{([0-9]+), ([0-9]+), ([0-9]+)}.*" "\\1.\\2.\\3" shown_version
  "${shown_version}")
if(NOT shown_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "app/window_layout.h shows version '${shown_version}', "
    "the project is ${PROJECT_VERSION}: change kSoftwareVersion too")
endif()

# The texts get Windows line endings (the user opens them in Notepad) and the version.
set(package_texts ${CMAKE_BINARY_DIR}/package_texts)
configure_file(${CMAKE_SOURCE_DIR}/docs/release/README.txt ${package_texts}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${package_texts}/LICENSE @ONLY NEWLINE_STYLE CRLF)

install(TARGETS pelkocfg pelkotray pelkoctl RUNTIME DESTINATION .)
install(TARGETS skin LIBRARY DESTINATION .)
install(FILES ${package_texts}/README.txt ${package_texts}/LICENSE DESTINATION .)
# What a package needs built: scripts/release and the release-package test build this target.
add_custom_target(release_programs DEPENDS pelkocfg pelkotray pelkoctl skin)

# cpack packs what is built and builds nothing itself: the callers (scripts/release,
# scripts/test) build first, and the test programs are never built for a package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pelkocfg)
set(CPACK_PACKAGE_VENDOR "the pelkocfg developers")
set(CPACK_PACKAGE_FILE_NAME pelkocfg-${PROJECT_VERSION}-${PELKO_PLATFORM})
# One folder, so that the program and its skin library stay together wherever it is unzipped.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Without their symbol tables the files are a third of the size (the sections stay as built).
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
