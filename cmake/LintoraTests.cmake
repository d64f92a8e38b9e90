# Test registration shared by every folder. Test names start with the build's platform
# ("native." or "win64.") so that `ctest -N` shows which build a test belongs to.
if(LINTORA_WINDOWS)
  set(LINTORA_TEST_PLATFORM win64)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(LINTORA_TEST_PLATFORM win32)
  endif()
else()
  set(LINTORA_TEST_PLATFORM native)
endif()
set(LINTORA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

# Every test under Wine uses the prefix made fresh for this ctest run by the fixture below. They
# share its one desktop and one user's registry: a window looked for by its class, or the
# program's settings key, would be another test's if two ran at once, so they run one at a time.
function(lintora_wine_test_properties test)
  cmake_parse_arguments(ARG "" "LOCALE" "" ${ARGN})
  set(env LINTORA_WINEPREFIX=${LINTORA_WINEPREFIX} LINTORA_WINEARCH=${LINTORA_TEST_PLATFORM})
  if(ARG_LOCALE)
    list(APPEND env LINTORA_LC_ALL=${ARG_LOCALE})
  endif()
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wineprefix ENVIRONMENT "${env}"
                                          LABELS ${LINTORA_TEST_PLATFORM}
                                          RESOURCE_LOCK wine_session)
endfunction()

# lintora_add_test(NAME name COMMAND exe args... [LOCALE loc] [TIMEOUT s])
function(lintora_add_test)
  cmake_parse_arguments(ARG "" "NAME;LOCALE;TIMEOUT" "COMMAND" ${ARGN})
  set(test ${LINTORA_TEST_PLATFORM}.${ARG_NAME})
  add_test(NAME ${test} COMMAND ${ARG_COMMAND})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${test} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS ${LINTORA_TEST_PLATFORM})
  if(LINTORA_WINDOWS)
    lintora_wine_test_properties(${test} LOCALE ${ARG_LOCALE})
  endif()
endfunction()

# lintora_add_script_test(NAME name SCRIPT file.sh [LOCALE loc]): a bash scenario that drives the
# real program under Wine. It gets the program, the wrapper and the prefix through the environment.
function(lintora_add_script_test)
  cmake_parse_arguments(ARG "" "NAME;SCRIPT;LOCALE;TIMEOUT" "" ${ARGN})
  lintora_add_test(NAME ${ARG_NAME} COMMAND bash ${ARG_SCRIPT} LOCALE ${ARG_LOCALE}
                   TIMEOUT ${ARG_TIMEOUT})
  set(test ${LINTORA_TEST_PLATFORM}.${ARG_NAME})
  get_test_property(${test} ENVIRONMENT env)
  list(APPEND env LINTORA_EXE=$<TARGET_FILE:Lintora> LINTORA_SOURCE_DIR=${PROJECT_SOURCE_DIR}
       LINTORA_BUILD_DIR=${CMAKE_BINARY_DIR} LINTORA_WINE=${PROJECT_SOURCE_DIR}/scripts/wine-run.sh
       LINTORA_WINTOOL=$<TARGET_FILE:wintool>)
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${env}")
endfunction()
