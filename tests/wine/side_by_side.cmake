# Both architectures on one 64-bit machine, in a prefix where nothing else
# is registered, run with
#   cmake -DWINE32=<32-bit loader> -DWINE64=<64-bit loader> -DMSI32=<x86 package> -DMSI64=<x64 package>
#         -DDLL32=<32-bit DLL> -DDLL64=<64-bit DLL> -DSCRIPTS=<this folder> -P side_by_side.cmake
#         (Windows paths)
# First by their installer packages: both installed, each architecture's
# registration is whole; removing either package leaves the other's whole
# (what both share included: the library's name, FLAGS and HELPDIR, and
# the ProgIDs, one key for both architectures' clients) and its clients
# working; removing the second leaves nothing. Then by regsvr32:
# unregistering the 64-bit DLL leaves the 32-bit one's registration whole,
# and unregistering that one too leaves nothing.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")

set(arches 32 64)

# Stops the test, first removing both packages and both registrations: the
# prefix stays clean for the next run.
function(fail text)
  foreach(arch IN LISTS arches)
    execute_process(COMMAND "${WINE${arch}}" msiexec /x "${MSI${arch}}" /qn OUTPUT_QUIET ERROR_QUIET)
    execute_process(COMMAND "${WINE${arch}}" regsvr32 /s /u "${DLL${arch}}" OUTPUT_QUIET ERROR_QUIET)
  endforeach()
  message(FATAL_ERROR "${text}")
endfunction()

# Runs a command under the loader of <arch>.
function(on arch step)
  set(WINE "${WINE${arch}}")
  wine_ok("${step}" ${ARGN})
endfunction()

# The architecture's registration is whole and its script clients create
# the classes.
function(expect_whole arch step)
  set(WINE "${WINE${arch}}")
  expect_registration(HKCR ${arch} "${step} (${arch}-bit)" VIEW ${arch})
  wine_says("${step}: a ${arch}-bit client" "CREATED Lkp_Operatori" cscript //nologo "${SCRIPTS}\\create.vbs")
endfunction()

# Nothing of the architecture's own registration is left.
function(expect_gone arch step)
  set(WINE "${WINE${arch}}")
  list(GET interface_ids 0 iid)
  expect_keys(FALSE "${step} (${arch}-bit view)" VIEW ${arch}
    KEYS "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}" "HKCR\\${typelib}\\409\\win${arch}"
         "HKCR\\${typelib}\\0\\win${arch}" "HKCR\\Interface\\${iid}")
  wine_says("${step}: a ${arch}-bit client" "NOT CREATED 429" cscript //nologo "${SCRIPTS}\\create.vbs")
endfunction()

# Nothing is left for either architecture's clients: the library, the
# ProgIDs (which the last removal takes away), the classes and interfaces.
function(expect_nothing_left step)
  set(WINE "${WINE64}")
  expect_keys(FALSE "${step}")
  foreach(arch IN LISTS arches)
    expect_gone(${arch} "${step}")
  endforeach()
endfunction()

on(64 "installing the 64-bit package" msiexec /i "${MSI64}" /qn)
on(32 "installing the 32-bit package" msiexec /i "${MSI32}" /qn)
foreach(arch IN LISTS arches)
  expect_whole(${arch} "both installed")
endforeach()

on(64 "removing the 64-bit package" msiexec /x "${MSI64}" /qn)
expect_gone(64 "the 64-bit package removed")
expect_whole(32 "the 64-bit package removed")

on(64 "installing the 64-bit package again" msiexec /i "${MSI64}" /qn)
on(32 "removing the 32-bit package" msiexec /x "${MSI32}" /qn)
expect_gone(32 "the 32-bit package removed")
expect_whole(64 "the 32-bit package removed")

on(64 "removing the 64-bit package" msiexec /x "${MSI64}" /qn)
expect_nothing_left("both packages removed")

on(64 "registering the 64-bit DLL" regsvr32 /s "${DLL64}")
on(32 "registering the 32-bit DLL" regsvr32 /s "${DLL32}")
on(64 "unregistering the 64-bit DLL" regsvr32 /s /u "${DLL64}")
expect_gone(64 "the 64-bit DLL unregistered")
expect_whole(32 "the 64-bit DLL unregistered")
on(32 "unregistering the 32-bit DLL" regsvr32 /s /u "${DLL32}")
expect_nothing_left("both DLLs unregistered")
message(STATUS "side-by-side cycles passed")
