# Build-time programs (form compiler, table generator, pack tool) always run on the build host.
# The native build makes them; a Windows build finds them in the native build's tools folder.
if(LINTORA_WINDOWS)
  set(LINTORA_HOST_TOOLS_DIR "" CACHE PATH "Folder holding the host tools of a native build")
  if(NOT LINTORA_HOST_TOOLS_DIR)
    message(FATAL_ERROR "A Windows build needs LINTORA_HOST_TOOLS_DIR (the native build's tools/)")
  endif()
endif()

# lintora_host_tool(var name): path of host tool `name` for add_custom_command, and the target
# to depend on when it is built in this same tree.
function(lintora_host_tool var name)
  if(LINTORA_WINDOWS)
    set(${var} ${LINTORA_HOST_TOOLS_DIR}/${name} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
  endif()
endfunction()
