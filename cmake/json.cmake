# nlohmann-json, header-only, from Debian's nlohmann-json3-dev (scripts/setup installs it). The
# cross build must never search /usr/include, whose glibc headers would shadow MinGW's, so the
# configure step copies the library's own header tree into the build folder and the target
# nlohmann_json points there alone.
find_path(PELKO_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT PELKO_NLOHMANN_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found: scripts/setup installs nlohmann-json3-dev")
endif()
set(pelko_json_staged ${CMAKE_BINARY_DIR}/third_party/include)
file(COPY ${PELKO_NLOHMANN_INCLUDE}/nlohmann DESTINATION ${pelko_json_staged})
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${pelko_json_staged})
