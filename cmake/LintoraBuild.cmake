# Common compile settings and the one-call way a subsystem folder declares its libraries.

# Warnings apply to the project's own targets only (GoogleTest and libjpeg keep their own).
set(LINTORA_WARNINGS -Wall -Wextra -Werror)

set(LINTORA_SANITIZER_FLAGS)
if(LINTORA_SANITIZE AND NOT LINTORA_WINDOWS)
  set(LINTORA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                              -fno-sanitize-recover=undefined)
endif()

function(lintora_target_defaults target)
  target_compile_options(${target} PRIVATE ${LINTORA_WARNINGS} ${LINTORA_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${LINTORA_SANITIZER_FLAGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(LINTORA_WINDOWS)
    # The "A" functions: every text is 8-bit in the ANSI code page.
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                                                WINVER=0x0601)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# lintora_subsystem(NAME name DEPENDS libs... [WIN32_DEPENDS libs...] [WIN32_LIBS syslibs...]
#                   [WIN32_EXCLUDE files...])
# Portable sources are the folder's *.cpp; the Windows-only ones live in its win32/ folder and
# form the library NAME_win32, built only for Windows. WIN32_EXCLUDE keeps files of win32/ (a
# program's start) out of that library.
function(lintora_subsystem)
  cmake_parse_arguments(ARG "" "NAME" "DEPENDS;WIN32_DEPENDS;WIN32_LIBS;WIN32_EXCLUDE" ${ARGN})
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(portable)
    add_library(${ARG_NAME} STATIC ${portable})
  else()
    add_library(${ARG_NAME} INTERFACE)
  endif()
  if(portable)
    lintora_target_defaults(${ARG_NAME})
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPENDS})
  else()
    target_include_directories(${ARG_NAME} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} INTERFACE ${ARG_DEPENDS})
  endif()
  set_property(GLOBAL APPEND PROPERTY LINTORA_LIBRARIES ${ARG_NAME})

  if(LINTORA_WINDOWS)
    file(GLOB windows CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
    foreach(excluded ${ARG_WIN32_EXCLUDE})
      list(REMOVE_ITEM windows ${CMAKE_CURRENT_SOURCE_DIR}/win32/${excluded})
    endforeach()
    if(windows)
      add_library(${ARG_NAME}_win32 STATIC ${windows})
      lintora_target_defaults(${ARG_NAME}_win32)
      target_link_libraries(${ARG_NAME}_win32 PUBLIC ${ARG_NAME} ${ARG_WIN32_DEPENDS}
                                                     ${ARG_WIN32_LIBS})
    else()
      add_library(${ARG_NAME}_win32 INTERFACE)
      target_link_libraries(${ARG_NAME}_win32 INTERFACE ${ARG_NAME} ${ARG_WIN32_DEPENDS}
                                                        ${ARG_WIN32_LIBS})
    endif()
    set_property(GLOBAL APPEND PROPERTY LINTORA_LIBRARIES ${ARG_NAME}_win32)
  endif()
endfunction()

# lintora_program_per_source(PREFIX prefix OUT var): one program PREFIX<NAME> per *.cpp of the
# folder, linked with every library of the project; var gets the programs' target names.
function(lintora_program_per_source)
  cmake_parse_arguments(ARG "" "PREFIX;OUT" "" ${ARGN})
  get_property(all_libraries GLOBAL PROPERTY LINTORA_LIBRARIES)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(programs)
  foreach(source ${sources})
    get_filename_component(name ${source} NAME_WE)
    set(program ${ARG_PREFIX}${name})
    add_executable(${program} ${source})
    lintora_target_defaults(${program})
    target_link_libraries(${program} PRIVATE ${all_libraries})
    list(APPEND programs ${program})
  endforeach()
  set(${ARG_OUT} ${programs} PARENT_SCOPE)
endfunction()

# The program as shipped: optimised (the build type), without debug sections. Its symbols stay
# beside it in <program>.debug, which gdb finds through the debug link written into the program.
function(lintora_split_debug_info target)
  if(NOT CMAKE_OBJCOPY OR NOT CMAKE_STRIP)
    message(FATAL_ERROR "objcopy and strip of the target toolchain are needed to ship ${target}")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}>
            $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE_NAME:${target}>
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Stripping ${target}; symbols in $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
