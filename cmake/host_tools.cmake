# Programs built with the build machine's own compiler and run during the build: the skin's
# image generator and the tests' image generators.
find_program(HOST_CXX NAMES g++ c++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)

# The one BMP writer the generators share.
set(PELKO_BMP_WRITER ${CMAKE_SOURCE_DIR}/skin/generator/bmp_file.cpp)

# pelko_host_program(<name> SOURCES <files...> [DEPENDS <files...>]): builds <name> in the
# current binary folder and leaves its path in <name>_PATH.
function(pelko_host_program name)
  cmake_parse_arguments(H "" "" "SOURCES;DEPENDS" ${ARGN})
  set(program ${CMAKE_CURRENT_BINARY_DIR}/${name})
  add_custom_command(OUTPUT ${program}
    COMMAND ${HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Wshadow -Werror -I${CMAKE_SOURCE_DIR}
            -o ${program} ${H_SOURCES}
    DEPENDS ${H_SOURCES} ${H_DEPENDS}
    COMMENT "Building ${name} (host)" VERBATIM)
  set(${name}_PATH ${program} PARENT_SCOPE)
endfunction()

# pelko_test_images(<rc_var> <generator.cpp> [DEPENDS <headers...>]): a test program's own
# images. The generator writes BMP files and images.rc into the folder it is given (one folder
# per generator, so that a program may carry the images of several); the path
# of that resource script, to be compiled into the test program, is left in <rc_var>.
function(pelko_test_images rc_var generator_source)
  cmake_parse_arguments(I "" "" "DEPENDS" ${ARGN})
  get_filename_component(name ${generator_source} NAME_WE)
  pelko_host_program(${name}
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${generator_source} ${PELKO_BMP_WRITER}
    DEPENDS ${I_DEPENDS} ${CMAKE_SOURCE_DIR}/skin/generator/bmp_file.h
            ${CMAKE_SOURCE_DIR}/skin/generator/bmp_header.h)
  set(image_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_images)
  add_custom_command(OUTPUT ${image_dir}/images.rc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${image_dir}
    COMMAND ${${name}_PATH} ${image_dir}
    DEPENDS ${${name}_PATH}
    COMMENT "Writing the images of ${name}" VERBATIM)
  set(${rc_var} ${image_dir}/images.rc PARENT_SCOPE)
endfunction()
