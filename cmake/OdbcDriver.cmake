# The real ODBC driver the program carries: MariaDB Connector/ODBC (LGPL 2.1) on a static
# MariaDB Connector/C, cross-built from Debian's sources for this build's architecture, so that
# the data sources the program registers work. scripts/odbc-driver-sources.sh gets and checks the
# sources at configure time (kept in a download cache); scripts/build-odbc-driver.sh patches and
# builds them (the results kept in a build cache too).
#
# lintora_odbc_driver(var program) sets var to the folder that will hold the built maodbc.dll (the
# driver) and maodbcs.dll (its setup library), and makes two targets: lintora_odbc_driver builds
# them, lintora_odbc_driver_notices puts the driver's licence and source offer beside the program
# (the target named `program`), as the LGPL asks of whoever ships it. When the sources cannot be
# had it says why in one line and leaves var empty: the build then carries the stand-ins.
option(LINTORA_BUILD_ODBC_DRIVER
       "Cross-build MariaDB Connector/ODBC and carry it as the driver files" ON)
set(LINTORA_ODBC_SOURCE "$ENV{LINTORA_ODBC_SOURCE}" CACHE FILEPATH
    "Connector/ODBC source tarball, or its folder, for when apt-get source cannot fetch it")
set(lintora_default_cache_dir "$ENV{XDG_CACHE_HOME}")
if(NOT lintora_default_cache_dir)
  set(lintora_default_cache_dir "$ENV{HOME}/.cache")
endif()
set(LINTORA_CACHE_DIR "${lintora_default_cache_dir}/lintora" CACHE PATH
    "Where downloaded sources and built third-party libraries are kept between builds")

function(lintora_odbc_driver var program)
  set(${var} "" PARENT_SCOPE)
  if(NOT LINTORA_BUILD_ODBC_DRIVER)
    return()
  endif()
  set(driver_dir ${CMAKE_BINARY_DIR}/odbc-driver)
  file(MAKE_DIRECTORY ${driver_dir})
  set(fetch_env)
  if(LINTORA_ODBC_SOURCE)
    set(fetch_env ${CMAKE_COMMAND} -E env LINTORA_ODBC_SOURCE=${LINTORA_ODBC_SOURCE})
  endif()
  execute_process(
    COMMAND ${fetch_env} ${PROJECT_SOURCE_DIR}/scripts/odbc-driver-sources.sh ${LINTORA_CACHE_DIR}
    OUTPUT_VARIABLE tarballs ERROR_FILE ${driver_dir}/sources.log RESULT_VARIABLE status
    OUTPUT_STRIP_TRAILING_WHITESPACE TIMEOUT 1200)
  if(NOT status EQUAL 0)
    file(STRINGS ${driver_dir}/sources.log lines)
    list(POP_BACK lines reason)
    if(NOT status MATCHES "^[0-9]+$")
      set(reason "${status}")  # it did not end: the message is CMake's
    endif()
    message(NOTICE "ODBC driver: no sources (${reason}), so the stand-in driver files are carried; "
                   "see README \"Driver files\" and ${driver_dir}/sources.log")
    return()
  endif()
  string(REPLACE "\n" ";" tarballs "${tarballs}")
  list(GET tarballs 0 odbc_tarball)
  list(GET tarballs 1 mariadb_tarball)

  file(GLOB_RECURSE recipe CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/odbcdriver/*)
  set(products ${driver_dir}/maodbc.dll ${driver_dir}/maodbcs.dll
               ${driver_dir}/ODBC-DRIVER-LICENSE.txt ${driver_dir}/ODBC-DRIVER-SOURCE.txt)
  add_custom_command(
    OUTPUT ${products}
    COMMAND ${CMAKE_COMMAND} -E env LINTORA_CACHE_DIR=${LINTORA_CACHE_DIR}
            ${PROJECT_SOURCE_DIR}/scripts/build-odbc-driver.sh ${odbc_tarball} ${mariadb_tarball}
            ${CMAKE_TOOLCHAIN_FILE} ${CMAKE_C_COMPILER} ${driver_dir}
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/build-odbc-driver.sh ${recipe} ${odbc_tarball}
            ${mariadb_tarball} ${CMAKE_TOOLCHAIN_FILE}
    COMMENT "Building the ODBC driver (MariaDB Connector/ODBC) for ${CMAKE_SYSTEM_PROCESSOR}"
    USES_TERMINAL VERBATIM)
  add_custom_target(lintora_odbc_driver DEPENDS ${products})
  add_custom_target(lintora_odbc_driver_notices
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${driver_dir}/ODBC-DRIVER-LICENSE.txt
            ${driver_dir}/ODBC-DRIVER-SOURCE.txt $<TARGET_FILE_DIR:${program}>
    DEPENDS ${products} VERBATIM)
  set(${var} ${driver_dir} PARENT_SCOPE)
endfunction()
