# The driver files for the other architecture of 64-bit Windows (the 64-bit driver in the 32-bit
# program, the 32-bit one in the 64-bit build), which an installation run on 64-bit Windows writes
# for that architecture's ODBC programs. They are the four files of DriverFiles.cmake under the
# same names and time stamps, built from the same sources for the other processor, held as a stored
# form of their own (four TBinStream objects under a plain TComponent root, always LZRW1-packed)
# in the RCDATA resource OTHERDRIVERS; the dialog's form keeps its four described components.
# Without a built driver (no sources, LINTORA_BUILD_ODBC_DRIVER off, or LINTORA_DRIVER_DIR given)
# the program carries none: the run then says so instead of serving the other architecture.
# The global property LINTORA_OTHER_DRIVER_FILES_DIR (the files as installed, or empty) tells the
# tests what the program carries.
set_property(GLOBAL PROPERTY LINTORA_OTHER_DRIVER_FILES_DIR "")
if(NOT LINTORA_WINDOWS OR LINTORA_DRIVER_DIR)
  return()
endif()
lintora_other_odbc_driver(other_driver_dir)
if(NOT other_driver_dir)
  return()
endif()

set(other_plain_dir ${CMAKE_CURRENT_BINARY_DIR}/other-drivers/plain)
set(other_data_dir ${CMAKE_CURRENT_BINARY_DIR}/other-drivers/data)
set(other_files)
foreach(index RANGE 3)
  list(GET lintora_driver_names ${index} name)
  list(GET lintora_driver_times ${index} time)
  set(source ${other_driver_dir}/maodbc.dll)
  if(name STREQUAL "myodbc5S.dll")
    set(source ${other_driver_dir}/maodbcs.dll)
  endif()
  set(plain ${other_plain_dir}/${name})
  lintora_stamped_driver_copy(${source} "${source}" ${plain} ${time})
  lintora_packed_driver_copy(${plain} ${other_data_dir}/${name})
  list(APPEND other_files ${plain} ${plain}.made ${other_data_dir}/${name})
endforeach()

set(other_form_text ${CMAKE_CURRENT_BINARY_DIR}/OtherDriverFiles.txt)
add_custom_command(
  OUTPUT ${other_form_text}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_TEXT=${CMAKE_CURRENT_SOURCE_DIR}/OtherDriverFiles.txt
          -DOUTPUT_TEXT=${other_form_text} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
          -DPLAIN_DIR=${other_plain_dir} -DDATA_DIR=${other_data_dir} -DCOMPRESS=ON
          -DDATES_FROM_FILES=OFF -P ${CMAKE_CURRENT_SOURCE_DIR}/drivers/PrepareFormText.cmake
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/OtherDriverFiles.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/drivers/PrepareFormText.cmake
          ${CMAKE_CURRENT_SOURCE_DIR}/drivers/DriverList.cmake ${other_files}
  VERBATIM)
include(FormCompiler)
set(other_form_stream ${CMAKE_CURRENT_BINARY_DIR}/OtherDriverFiles.lfm)
lintora_compile_form(INPUT ${other_form_text} OUTPUT ${other_form_stream})
lintora_embed_stored_form(OTHERDRIVERS ${other_form_stream} lintora_other_drivers)
set_property(GLOBAL PROPERTY LINTORA_OTHER_DRIVER_FILES_DIR ${other_plain_dir})
