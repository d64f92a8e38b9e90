# libjpeg for decoding the banner picture. Native: Debian's libjpeg62-turbo-dev. Windows: Debian's
# libjpeg-turbo source package (unpacked by scripts/fetch-debian-source.sh from setup.sh), cross-built once
# into the build tree, static, without SIMD. Either way the target is `lintora_jpeg`.
add_library(lintora_jpeg INTERFACE)
if(LINTORA_WINDOWS)
  include(ExternalProject)
  set(jpeg_source ${PROJECT_SOURCE_DIR}/.deps/libjpeg-turbo)
  if(NOT EXISTS ${jpeg_source}/CMakeLists.txt)
    message(FATAL_ERROR "libjpeg-turbo sources missing: run scripts/setup.sh")
  endif()
  set(jpeg_prefix ${CMAKE_BINARY_DIR}/deps/libjpeg)
  ExternalProject_Add(libjpeg_cross
    SOURCE_DIR ${jpeg_source}
    BINARY_DIR ${CMAKE_BINARY_DIR}/deps/libjpeg-build
    INSTALL_DIR ${jpeg_prefix}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_INSTALL_PREFIX=${jpeg_prefix} -DCMAKE_INSTALL_LIBDIR=${jpeg_prefix}/lib -DCMAKE_INSTALL_INCLUDEDIR=${jpeg_prefix}/include
               -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0
               -DCMAKE_CROSSCOMPILING_EMULATOR=
    BUILD_BYPRODUCTS ${jpeg_prefix}/lib/libjpeg.a)
  file(MAKE_DIRECTORY ${jpeg_prefix}/include)
  add_dependencies(lintora_jpeg libjpeg_cross)
  target_include_directories(lintora_jpeg INTERFACE ${jpeg_prefix}/include)
  target_link_libraries(lintora_jpeg INTERFACE ${jpeg_prefix}/lib/libjpeg.a)
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(lintora_jpeg INTERFACE JPEG::JPEG)
endif()
