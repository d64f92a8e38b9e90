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

# The sources, fetched once per configure: sets odbc_tarball and mariadb_tarball in the caller, or
# leaves them empty after saying why the stand-ins are carried.
function(lintora_odbc_driver_sources)
  set(odbc_tarball "" PARENT_SCOPE)
  set(mariadb_tarball "" PARENT_SCOPE)
  if(NOT LINTORA_BUILD_ODBC_DRIVER)
    return()
  endif()
  get_property(fetched GLOBAL PROPERTY LINTORA_ODBC_TARBALLS)
  if(fetched STREQUAL "none")
    return()
  endif()
  if(NOT fetched)
    set(log_dir ${CMAKE_BINARY_DIR}/odbc-driver)
    file(MAKE_DIRECTORY ${log_dir})
    set(fetch_env)
    if(LINTORA_ODBC_SOURCE)
      set(fetch_env ${CMAKE_COMMAND} -E env LINTORA_ODBC_SOURCE=${LINTORA_ODBC_SOURCE})
    endif()
    execute_process(
      COMMAND ${fetch_env} ${PROJECT_SOURCE_DIR}/scripts/odbc-driver-sources.sh ${LINTORA_CACHE_DIR}
      OUTPUT_VARIABLE tarballs ERROR_FILE ${log_dir}/sources.log RESULT_VARIABLE status
      OUTPUT_STRIP_TRAILING_WHITESPACE TIMEOUT 1200)
    if(NOT status EQUAL 0)
      file(STRINGS ${log_dir}/sources.log lines)
      list(POP_BACK lines reason)
      if(NOT status MATCHES "^[0-9]+$")
        set(reason "${status}")  # it did not end: the message is CMake's
      endif()
      message(NOTICE "ODBC driver: no sources (${reason}), so the stand-in driver files are "
                     "carried; see README \"Driver files\" and ${log_dir}/sources.log")
      set_property(GLOBAL PROPERTY LINTORA_ODBC_TARBALLS none)
      return()
    endif()
    string(REPLACE "\n" ";" fetched "${tarballs}")
    set_property(GLOBAL PROPERTY LINTORA_ODBC_TARBALLS "${fetched}")
  endif()
  list(GET fetched 0 odbc)
  list(GET fetched 1 mariadb)
  set(odbc_tarball ${odbc} PARENT_SCOPE)
  set(mariadb_tarball ${mariadb} PARENT_SCOPE)
endfunction()

# The driver built for one processor (i686 or x86_64) into dir, by target `target`.
function(lintora_odbc_driver_for processor dir target)
  set(toolchain ${PROJECT_SOURCE_DIR}/cmake/mingw-w64-${processor}.cmake)
  set(compiler ${CMAKE_C_COMPILER})
  if(NOT processor STREQUAL CMAKE_SYSTEM_PROCESSOR)
    set(compiler ${LINTORA_${processor}_C_COMPILER})
  endif()
  file(GLOB_RECURSE recipe CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/odbcdriver/*)
  set(products ${dir}/maodbc.dll ${dir}/maodbcs.dll
               ${dir}/ODBC-DRIVER-LICENSE.txt ${dir}/ODBC-DRIVER-SOURCE.txt)
  add_custom_command(
    OUTPUT ${products}
    COMMAND ${CMAKE_COMMAND} -E env LINTORA_CACHE_DIR=${LINTORA_CACHE_DIR}
            ${PROJECT_SOURCE_DIR}/scripts/build-odbc-driver.sh ${odbc_tarball} ${mariadb_tarball}
            ${toolchain} ${compiler} ${dir}
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/build-odbc-driver.sh ${recipe} ${odbc_tarball}
            ${mariadb_tarball} ${toolchain}
    COMMENT "Building the ODBC driver (MariaDB Connector/ODBC) for ${processor}"
    USES_TERMINAL VERBATIM)
  add_custom_target(${target} DEPENDS ${products})
endfunction()

function(lintora_odbc_driver var program)
  set(${var} "" PARENT_SCOPE)
  lintora_odbc_driver_sources()
  if(NOT odbc_tarball)
    return()
  endif()
  set(driver_dir ${CMAKE_BINARY_DIR}/odbc-driver)
  lintora_odbc_driver_for(${CMAKE_SYSTEM_PROCESSOR} ${driver_dir} lintora_odbc_driver)
  add_custom_target(lintora_odbc_driver_notices
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${driver_dir}/ODBC-DRIVER-LICENSE.txt
            ${driver_dir}/ODBC-DRIVER-SOURCE.txt $<TARGET_FILE_DIR:${program}>
    DEPENDS ${driver_dir}/ODBC-DRIVER-LICENSE.txt ${driver_dir}/ODBC-DRIVER-SOURCE.txt VERBATIM)
  set(${var} ${driver_dir} PARENT_SCOPE)
endfunction()

# lintora_other_odbc_driver(var): the same driver built for the other architecture of 64-bit
# Windows (x86_64 for an i686 build, i686 for an x86_64 one), which the program installs for that
# architecture's ODBC programs; var is the folder of its maodbc.dll and maodbcs.dll, or empty as
# for lintora_odbc_driver. Target lintora_other_odbc_driver builds them.
function(lintora_other_odbc_driver var)
  set(${var} "" PARENT_SCOPE)
  lintora_odbc_driver_sources()
  if(NOT odbc_tarball)
    return()
  endif()
  set(other x86_64)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(other i686)
  endif()
  # The other architecture's compiler, named as the toolchain files name theirs.
  find_program(LINTORA_${other}_C_COMPILER ${other}-w64-mingw32-gcc-posix)
  if(NOT LINTORA_${other}_C_COMPILER)
    message(NOTICE "ODBC driver: no ${other}-w64-mingw32-gcc-posix, so the program carries no "
                   "driver files for the other architecture (scripts/setup.sh installs it)")
    return()
  endif()
  set(driver_dir ${CMAKE_BINARY_DIR}/odbc-driver-${other})
  lintora_odbc_driver_for(${other} ${driver_dir} lintora_other_odbc_driver)
  set(${var} ${driver_dir} PARENT_SCOPE)
endfunction()
