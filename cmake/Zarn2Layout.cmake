# Where an installed build puts its files, relative to the prefix. The program finds its
# help and helpers relative to its own binary (src/core/app/ProgramPaths.cpp), so these
# stay in step with it.
set(ZARN2_BIN_DIR bin)
set(ZARN2_HELP_DIR share/zarn2/Help)
set(ZARN2_HELPER_DIR libexec/zarn2)

# A helper program or module of the launcher (started or loaded by it, never by the
# user): built beside the Zarn2 binary, so a portable program folder and the build tree
# find it there, and installed into the private helper folder.
#   zarn2_helper_program(zarn2-wait)
#   zarn2_helper_program(zarn2-charts)    a MODULE library: libzarn2-charts.so
function(zarn2_helper_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/src
                                             LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/src)
  if(ZARN2_INSTALLED)
    install(TARGETS ${target} RUNTIME DESTINATION ${ZARN2_HELPER_DIR} LIBRARY DESTINATION ${ZARN2_HELPER_DIR})
  endif()
endfunction()
