# The COM artefact generator (tools/comgen) runs on the build machine, so a
# cross build cannot make it with its own compiler. Either point
# VELDRANE_COMGEN at a comgen built natively, or leave it empty and the build
# configures and builds one with the machine's own compiler in
# <build>/comgen-native.
#
# Defines: VELDRANE_COMGEN_EXECUTABLE (the program) and the target
# comgen_native (what to depend on).
include_guard(GLOBAL)
include(ExternalProject)

set(VELDRANE_COMGEN "" CACHE FILEPATH "comgen built for the build machine (empty: build it)")
set(VELDRANE_COMGEN_JOBS 1 CACHE STRING "Parallel jobs of the native comgen build")

if(VELDRANE_COMGEN)
  set(VELDRANE_COMGEN_EXECUTABLE "${VELDRANE_COMGEN}")
  add_custom_target(comgen_native)
else()
  set(_comgen_dir "${CMAKE_BINARY_DIR}/comgen-native")
  set(VELDRANE_COMGEN_EXECUTABLE "${_comgen_dir}/comgen")
  ExternalProject_Add(comgen_native
    SOURCE_DIR "${PROJECT_SOURCE_DIR}/tools/comgen"
    BINARY_DIR "${_comgen_dir}"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target comgen -j ${VELDRANE_COMGEN_JOBS}
    INSTALL_COMMAND ""
    # The sub-build decides itself whether the core changed.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS "${VELDRANE_COMGEN_EXECUTABLE}")
endif()
