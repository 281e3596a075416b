# pelko_check_imports(target): the build of a program fails when it imports a DLL outside
# Windows' known DLLs (scripts/check-imports). Every program we ship calls it.
function(pelko_check_imports target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
