# libjpeg-turbo, built from the Debian source package that
# scripts/fetch-libjpeg.sh unpacks, with the same toolchain as the project.
set(LIBJPEG_VERSION 2.1.5)
set(LIBJPEG_SOURCE_DIR ${CMAKE_SOURCE_DIR}/third_party/libjpeg-turbo-${LIBJPEG_VERSION})
if(NOT EXISTS ${LIBJPEG_SOURCE_DIR}/jpeglib.h)
  message(FATAL_ERROR "libjpeg-turbo ${LIBJPEG_VERSION} sources missing: run scripts/fetch-libjpeg.sh")
endif()

include(ExternalProject)
set(LIBJPEG_DIR ${CMAKE_BINARY_DIR}/libjpeg)
set(LIBJPEG_LIBRARY ${LIBJPEG_DIR}/lib/libjpeg.a)
set(LIBJPEG_TOOLCHAIN_ARG)
if(CMAKE_TOOLCHAIN_FILE)
  get_filename_component(LIBJPEG_TOOLCHAIN ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
  set(LIBJPEG_TOOLCHAIN_ARG -DCMAKE_TOOLCHAIN_FILE=${LIBJPEG_TOOLCHAIN})
endif()
ExternalProject_Add(libjpeg_build
  SOURCE_DIR ${LIBJPEG_SOURCE_DIR}
  BINARY_DIR ${LIBJPEG_DIR}/build
  CMAKE_ARGS -Wno-dev ${LIBJPEG_TOOLCHAIN_ARG}
             -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=${LIBJPEG_DIR}
             -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
             -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JAVA=OFF
             -DCMAKE_C_FLAGS=-w
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${LIBJPEG_DIR}/lib ${LIBJPEG_DIR}/include
          COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a ${LIBJPEG_LIBRARY}
          COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/jconfig.h ${LIBJPEG_DIR}/include/
          COMMAND ${CMAKE_COMMAND} -E copy ${LIBJPEG_SOURCE_DIR}/jpeglib.h ${LIBJPEG_SOURCE_DIR}/jmorecfg.h
                  ${LIBJPEG_SOURCE_DIR}/jerror.h ${LIBJPEG_DIR}/include/
  BUILD_BYPRODUCTS ${LIBJPEG_LIBRARY}
  USES_TERMINAL_BUILD FALSE)
file(MAKE_DIRECTORY ${LIBJPEG_DIR}/include)
add_library(libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg PROPERTIES IMPORTED_LOCATION ${LIBJPEG_LIBRARY}
                                         INTERFACE_INCLUDE_DIRECTORIES ${LIBJPEG_DIR}/include)
add_dependencies(libjpeg libjpeg_build)
