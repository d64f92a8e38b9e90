# The four ODBC driver files the dialog carries as BinStream1 to BinStream4 and writes into the
# system directory. By default they are the ODBC driver built from source (cmake/OdbcDriver.cmake):
# the driver as Myodbc.dll, Myodbcd.dll and myodbc5a.dll, its setup library as myodbc5S.dll, with
# the described time stamps. LINTORA_DRIVER_DIR names a folder whose four files are embedded
# instead, with their own time stamps. Without either (no sources, or LINTORA_BUILD_ODBC_DRIVER
# off) they are stand-in DLLs of our own (drivers/StandInDriver.cpp) that provide no driver.
# The global properties LINTORA_DRIVER_KIND (given, built or standin) and LINTORA_DRIVER_FILES_DIR
# (the files as they are installed) tell the tests what the program carries.
#
# Made here: drivers/plain/NAME (the file as it is installed), drivers/data/NAME (the "Data"
# bytes: the same file, or its ZIP-LZRW1 container with LINTORA_DRIVER_COMPRESS), and
# LintoraForm.txt: the form description with the four objects' Size, SizeOfBin, Compress, FileDate
# and Data filled in from those files and every `file '...'` path made absolute, ready for the
# form compiler (LINTORA_FORM_TEXT, target lintora_form_text).
set(LINTORA_DRIVER_DIR "" CACHE PATH
    "Folder with the real Myodbc.dll, Myodbcd.dll, myodbc5a.dll and myodbc5S.dll to embed")
option(LINTORA_DRIVER_COMPRESS "Hold the embedded driver files LZRW1-compressed (Compress on)" OFF)

include(${CMAKE_CURRENT_LIST_DIR}/drivers/DriverList.cmake)

# A driver file as installed: source copied to plain and given the time stamp. The plain files keep
# old time stamps, which tell a build tool nothing about when they were made: what uses them
# depends on plain.made too, touched whenever the file is (re)made.
function(lintora_stamped_driver_copy source source_depends plain time)
  get_filename_component(dir ${plain} DIRECTORY)
  add_custom_command(OUTPUT ${plain} ${plain}.made
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
                     COMMAND touch -d ${time} ${plain}
                     COMMAND ${CMAKE_COMMAND} -E touch ${plain}.made
                     DEPENDS ${source_depends} VERBATIM)
endfunction()
# The plain file packed into the ZIP-LZRW1 container that TBinStream holds with Compress on.
function(lintora_packed_driver_copy plain packed)
  lintora_host_tool(ziplz ziplz)
  get_filename_component(dir ${packed} DIRECTORY)
  add_custom_command(OUTPUT ${packed}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                     COMMAND ${ziplz} pack ${plain} ${packed}
                     DEPENDS ${plain} ${plain}.made VERBATIM)
endfunction()
set(driver_plain_dir ${CMAKE_CURRENT_BINARY_DIR}/drivers/plain)
set(built_driver_dir)
if(NOT LINTORA_DRIVER_DIR)
  include(OdbcDriver)
  lintora_odbc_driver(built_driver_dir Lintora)
endif()
if(LINTORA_DRIVER_DIR)
  set_property(GLOBAL PROPERTY LINTORA_DRIVER_KIND given)
elseif(built_driver_dir)
  set_property(GLOBAL PROPERTY LINTORA_DRIVER_KIND built)
  list(APPEND lintora_rc_depends lintora_odbc_driver_notices)
else()
  set_property(GLOBAL PROPERTY LINTORA_DRIVER_KIND standin)
endif()
set_property(GLOBAL PROPERTY LINTORA_DRIVER_FILES_DIR ${driver_plain_dir})
if(LINTORA_DRIVER_COMPRESS)
  set(driver_data_dir ${CMAKE_CURRENT_BINARY_DIR}/drivers/data)
else()
  set(driver_data_dir ${driver_plain_dir})
endif()

set(driver_files)
foreach(index RANGE 3)
  list(GET lintora_driver_names ${index} name)
  list(GET lintora_driver_times ${index} time)
  set(plain ${driver_plain_dir}/${name})
  # The plain files keep old time stamps, which tell a build tool nothing about when they were
  # made: what uses them depends on this file, touched whenever one is (re)made.
  set(made ${plain}.made)
  if(LINTORA_DRIVER_DIR)
    if(NOT EXISTS ${LINTORA_DRIVER_DIR}/${name})
      message(FATAL_ERROR "LINTORA_DRIVER_DIR has no ${name}")
    endif()
    add_custom_command(OUTPUT ${plain} ${made}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${driver_plain_dir}
                       COMMAND cp -p ${LINTORA_DRIVER_DIR}/${name} ${plain}
                       COMMAND ${CMAKE_COMMAND} -E touch ${made}
                       DEPENDS ${LINTORA_DRIVER_DIR}/${name} VERBATIM)
  else()
    # The built driver or a stand-in, given the described time stamp.
    if(built_driver_dir)
      set(source ${built_driver_dir}/maodbc.dll)
      if(name STREQUAL "myodbc5S.dll")
        set(source ${built_driver_dir}/maodbcs.dll)
      endif()
      set(source_depends ${source})
    else()
      string(REGEX REPLACE "\\.dll$" "" stem ${name})
      set(target lintora_standin_${stem})
      add_library(${target} SHARED ${CMAKE_CURRENT_SOURCE_DIR}/drivers/StandInDriver.cpp)
      lintora_target_defaults(${target})
      target_compile_definitions(${target} PRIVATE LINTORA_DRIVER_NAME="${stem}")
      target_link_options(${target} PRIVATE -s)  # small: no symbols in the carried copies
      set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${stem} SUFFIX ".dll"
                            RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/drivers/built)
      set(source $<TARGET_FILE:${target}>)
      set(source_depends ${target})
    endif()
    lintora_stamped_driver_copy(${source} "${source_depends}" ${plain} ${time})
  endif()
  list(APPEND driver_files ${plain} ${made})
  if(LINTORA_DRIVER_COMPRESS)
    lintora_packed_driver_copy(${plain} ${driver_data_dir}/${name})
    list(APPEND driver_files ${driver_data_dir}/${name})
  endif()
endforeach()

set(LINTORA_FORM_TEXT ${CMAKE_CURRENT_BINARY_DIR}/LintoraForm.txt)
set(dates_from_files OFF)
if(LINTORA_DRIVER_DIR)
  set(dates_from_files ON)
endif()
add_custom_command(
  OUTPUT ${LINTORA_FORM_TEXT}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_TEXT=${CMAKE_CURRENT_SOURCE_DIR}/LintoraForm.txt
          -DOUTPUT_TEXT=${LINTORA_FORM_TEXT} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
          -DPLAIN_DIR=${driver_plain_dir} -DDATA_DIR=${driver_data_dir}
          -DCOMPRESS=${LINTORA_DRIVER_COMPRESS} -DDATES_FROM_FILES=${dates_from_files}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/drivers/PrepareFormText.cmake
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/LintoraForm.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/drivers/PrepareFormText.cmake
          ${CMAKE_CURRENT_SOURCE_DIR}/drivers/DriverList.cmake ${driver_files}
  VERBATIM)
add_custom_target(lintora_form_text DEPENDS ${LINTORA_FORM_TEXT})
list(APPEND lintora_rc_depends lintora_form_text)
