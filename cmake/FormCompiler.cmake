# lintora_compile_form(INPUT form.txt OUTPUT form.bin [HEADER components.h]): compiles a text form
# description into the stored form stream with the host tool formc, and with HEADER writes the
# list of the form's named components and their classes there too (rewritten only when it
# changes). The output is rebuilt when the description, any file it names with
# `Data = file '...'` (through formc's dependency file) or formc changes.
function(lintora_compile_form)
  cmake_parse_arguments(ARG "" "INPUT;OUTPUT;HEADER" "" ${ARGN})
  if(NOT ARG_INPUT OR NOT ARG_OUTPUT)
    message(FATAL_ERROR "lintora_compile_form needs INPUT and OUTPUT")
  endif()
  get_filename_component(input ${ARG_INPUT} ABSOLUTE)
  get_filename_component(output ${ARG_OUTPUT} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
  lintora_host_tool(formc formc)
  if(LINTORA_WINDOWS)
    set(tool_dependency ${formc})
  else()
    set(tool_dependency formc)
  endif()
  set(header_arguments)
  if(ARG_HEADER)
    set(header_arguments ${ARG_HEADER} BYPRODUCTS ${ARG_HEADER})
  endif()
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${formc} ${input} ${output} ${output}.d ${header_arguments}
    DEPENDS ${input} ${tool_dependency}
    DEPFILE ${output}.d
    COMMENT "Compiling form ${ARG_INPUT}"
    VERBATIM)
endfunction()
