# Tests of the three ways to deploy VELDRANE.dll without machine-wide
# regsvr32 (included by CMakeLists.txt, which defines wine_test and the
# loader):
# - per-user registration, in the shared prefix beside the machine-wide
#   registration, which it must leave as it is;
# - registration-free activation and the installer package, one after the
#   other in a clean prefix of their own (build/windows-<arch>/wineprefix-clean)
#   where nothing is ever registered: the client finds the DLL through its
#   manifest only, and the package must leave nothing behind;
# - in the 32-bit build, both architectures side by side in that prefix, by
#   their packages and by regsvr32, with the 64-bit build's DLL and package;
# - and, without wine, that what ships is stripped, with its symbols kept
#   beside the build.

wine_test(wine_per_user_registration REQUIRES wine_registered
  COMMAND "${CMAKE_COMMAND}" -DWINE=${VELDRANE_WINE_LOADER} -DDLL=${dll_win} -DARCH=${wine_arch}
          -DOUT=${CMAKE_CURRENT_BINARY_DIR}/per_user -P "${CMAKE_CURRENT_SOURCE_DIR}/per_user.cmake")

# The registration-free client, its application manifest and the assembly
# (the DLL with its manifest), in one folder.
set(regfree "${CMAKE_BINARY_DIR}/regfree")
add_executable(regfree_client regfree_client.cpp)
target_include_directories(regfree_client PRIVATE "${CMAKE_BINARY_DIR}/gen")
target_link_libraries(regfree_client PRIVATE veldrane_com)
target_link_options(regfree_client PRIVATE -static)
set_target_properties(regfree_client PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${regfree}")
add_dependencies(regfree_client veldrane_dll veldrane_deploy)
add_custom_command(TARGET regfree_client POST_BUILD
  COMMAND "${CMAKE_COMMAND}" -E copy_if_different "$<TARGET_FILE:veldrane_dll>"
          "${VELDRANE_DEPLOY_DIR}/Talvern.VELDRANE.manifest" "${regfree}"
  COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${VELDRANE_DEPLOY_DIR}/application.manifest"
          "${regfree}/regfree_client.exe.manifest"
  VERBATIM)

# The clean prefix, with its own persistent wine server (see wine_prefix_fixture).
set(clean_env "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-clean" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
wine_prefix_fixture(wine_clean_prefix)

add_test(NAME wine_registration_free COMMAND ${run_wine} "${VELDRANE_WINE_LOADER}" "${regfree}/regfree_client.exe")
set_tests_properties(wine_registration_free PROPERTIES PASS_REGULAR_EXPRESSION "DONE" FAIL_REGULAR_EXPRESSION "FAIL")

if(VELDRANE_WIXL)
  wine_path(msi_win "${VELDRANE_DEPLOY_DIR}/VELDRANE-${VELDRANE_DEPLOY_ARCH}.msi")
  add_test(NAME wine_installer COMMAND ${run_wine} "${CMAKE_COMMAND}" -DWINE=${VELDRANE_WINE_LOADER} -DMSI=${msi_win}
           -DSCRIPTS=${here_win} -DARCH=${wine_arch} -P "${CMAKE_CURRENT_SOURCE_DIR}/installer.cmake")
  set_tests_properties(wine_installer PROPERTIES DEPENDS wine_registration_free)
  set(clean_tests wine_installer)
endif()

# Both architectures on one machine, by their packages and by regsvr32: the
# 64-bit DLL and package come from the 64-bit build (scripts/test.sh builds
# it first), and 64-bit wine runs its clients beside the 32-bit ones.
if(VELDRANE_WIXL AND wine_arch EQUAL 32)
  set(VELDRANE_X64_BUILD "${PROJECT_SOURCE_DIR}/build/windows-x64" CACHE PATH
      "The 64-bit build, whose DLL and package the side-by-side test takes")
  find_program(VELDRANE_WINE64_LOADER NAMES wine64 PATHS /usr/lib/wine /opt/wine-stable/bin NO_DEFAULT_PATH)
  find_program(VELDRANE_WINE64_LOADER NAMES wine64)
  wine_path(msi64_win "${VELDRANE_X64_BUILD}/deploy/VELDRANE-x64.msi")
  wine_path(dll64_win "${VELDRANE_X64_BUILD}/bin/VELDRANE.dll")
  add_test(NAME wine_side_by_side COMMAND ${run_wine} sh -c [[
      for f in "$1/deploy/VELDRANE-x64.msi" "$1/bin/VELDRANE.dll"; do
        [ -f "$f" ] || exec echo "SKIPPED: $f is not built (build the windows-x64 preset first); both architectures side by side are not exercised"
      done
      "$2" --version >/dev/null 2>&1 || exec echo "SKIPPED: this machine cannot run 64-bit wine ($2); both architectures side by side are not exercised"
      shift 2
      exec "$0" "$@"]]
    "${CMAKE_COMMAND}" "${VELDRANE_X64_BUILD}" "${VELDRANE_WINE64_LOADER}"
    -DWINE32=${VELDRANE_WINE_LOADER} -DWINE64=${VELDRANE_WINE64_LOADER} -DMSI32=${msi_win} -DMSI64=${msi64_win}
    -DDLL32=${dll_win} -DDLL64=${dll64_win} -DSCRIPTS=${here_win} -P "${CMAKE_CURRENT_SOURCE_DIR}/side_by_side.cmake")
  set_tests_properties(wine_side_by_side PROPERTIES DEPENDS wine_installer SKIP_REGULAR_EXPRESSION "SKIPPED:")
  list(APPEND clean_tests wine_side_by_side)
endif()

foreach(t wine_clean_prefix wine_clean_prefix_end wine_registration_free ${clean_tests})
  set_tests_properties(${t} PROPERTIES ENVIRONMENT "${clean_env}" RESOURCE_LOCK wine_clean_prefix TIMEOUT 300
    SKIP_RETURN_CODE 77)
endforeach()
foreach(t wine_registration_free ${clean_tests})
  set_tests_properties(${t} PROPERTIES FIXTURES_REQUIRED wine_clean_prefix)
endforeach()
if(TEST wine_side_by_side)
  # Some 120 wine commands.
  set_tests_properties(wine_side_by_side PROPERTIES TIMEOUT 900)
endif()

# The DLL that ships (the build's, and the copies the registration-free
# folder and the package take) carries no debug sections and names its
# debug file, which holds the symbols of the DLL's own code.
set(shipped "$<TARGET_FILE:veldrane_dll>" "${regfree}/VELDRANE.dll")
if(VELDRANE_WIXL)
  list(APPEND shipped "${VELDRANE_DEPLOY_DIR}/files/VELDRANE.dll")
endif()
add_test(NAME dll_stripped COMMAND sh -c [[
    objdump=$0 debug=$1
    shift 1
    for dll in "$@"; do
      sections=$("$objdump" -h "$dll") || exit 1
      if echo "$sections" | grep -q '\.debug_'; then echo "FAIL: $dll has debug sections"; exit 1; fi
      "$objdump" -s -j .gnu_debuglink "$dll" | grep -q 'VELDRANE.dll.deb' || { echo "FAIL: $dll names no debug file"; exit 1; }
    done
    "$objdump" -h "$debug" | grep -q '\.debug_info' || { echo "FAIL: $debug holds no debug information"; exit 1; }
    grep -q -a 'src/com/module.cpp' "$debug" || { echo "FAIL: $debug lacks the DLL's own code"; exit 1; }
    echo "stripped: $*"]]
  "${CMAKE_OBJDUMP}" "$<TARGET_FILE:veldrane_dll>.debug" ${shipped})
