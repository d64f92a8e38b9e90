# The dialog's stored form: the UTF-8 description compiled by formc (Big5 texts, the pictures'
# bytes inside) and embedded as the RCDATA resource LINTORAFORM. When the driver files have
# prepared the description (LINTORA_FORM_TEXT, DriverFiles.cmake), that copy is compiled.
include(FormCompiler)
set(lintora_form_input ${CMAKE_CURRENT_SOURCE_DIR}/LintoraForm.txt)
if(LINTORA_FORM_TEXT)
  set(lintora_form_input ${LINTORA_FORM_TEXT})
endif()
set(lintora_form_stream ${CMAKE_CURRENT_BINARY_DIR}/LintoraForm.lfm)
# The dialog's class (app/win32/LintoraMain.h) takes its component members from this list.
set(LINTORA_FORM_COMPONENTS_DIR ${CMAKE_CURRENT_BINARY_DIR}/components CACHE INTERNAL "")
file(MAKE_DIRECTORY ${LINTORA_FORM_COMPONENTS_DIR})
lintora_compile_form(INPUT ${lintora_form_input} OUTPUT ${lintora_form_stream}
                     HEADER ${LINTORA_FORM_COMPONENTS_DIR}/LintoraFormComponents.h)
# lintora_embed_stored_form(RESOURCE stream target): embeds the stored form `stream`, made by
# `target`, as the RCDATA resource RESOURCE.
macro(lintora_embed_stored_form resource stream target)
  add_custom_target(${target} DEPENDS ${stream})
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${resource}.rc "${resource} RCDATA \"${stream}\"\n")
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${resource}.rc
                              PROPERTIES OBJECT_DEPENDS ${stream})
  list(APPEND lintora_rc_files ${CMAKE_CURRENT_BINARY_DIR}/${resource}.rc)
  list(APPEND lintora_rc_depends ${target})
endmacro()
lintora_embed_stored_form(LINTORAFORM ${lintora_form_stream} lintora_form)
