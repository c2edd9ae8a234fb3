# Both installer packages on one 64-bit machine, in a prefix where nothing
# else is registered, run with
#   cmake -DWINE32=<32-bit loader> -DWINE64=<64-bit loader> -DMSI32=<x86 package> -DMSI64=<x64 package>
#         -DSCRIPTS=<this folder> -P side_by_side.cmake   (Windows paths)
# Both installed, each architecture's registration is whole; removing
# either package leaves the other's whole (the library's name, FLAGS and
# HELPDIR, which both share, included) and its clients working; removing
# the second leaves nothing.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")

set(arches 32 64)

# Stops the test, first removing both packages: the prefix stays clean for
# the next run.
function(fail text)
  foreach(arch IN LISTS arches)
    execute_process(COMMAND "${WINE${arch}}" msiexec /x "${MSI${arch}}" /qn OUTPUT_QUIET ERROR_QUIET)
  endforeach()
  message(FATAL_ERROR "${text}")
endfunction()

function(msiexec arch step)
  set(WINE "${WINE${arch}}")
  wine_ok("${step}" msiexec ${ARGN} "${MSI${arch}}" /qn)
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

msiexec(64 "installing the 64-bit package" /i)
msiexec(32 "installing the 32-bit package" /i)
foreach(arch IN LISTS arches)
  expect_whole(${arch} "both installed")
endforeach()

msiexec(64 "removing the 64-bit package" /x)
expect_gone(64 "the 64-bit package removed")
expect_whole(32 "the 64-bit package removed")

msiexec(64 "installing the 64-bit package again" /i)
msiexec(32 "removing the 32-bit package" /x)
expect_gone(32 "the 32-bit package removed")
expect_whole(64 "the 32-bit package removed")

msiexec(64 "removing the 64-bit package" /x)
set(WINE "${WINE64}")
expect_keys(FALSE "both removed: the type library" KEYS "HKCR\\TypeLib\\${libid}")
# On 64-bit Windows both packages write the ProgIDs to one key, and the
# last package removed takes them away. wine keeps a ProgID key per
# registry view: the copy of the package removed first, in the other view,
# is left to it, and goes here.
foreach(arch IN LISTS arches)
  expect_gone(${arch} "both removed")
  foreach(entry IN LISTS class_ids)
    string(REGEX REPLACE "=.*" "" class "${entry}")
    foreach(progid "VELDRANE.${class}" "VELDRANE.${class}.1")
      wine(rc text reg query "HKCR\\${progid}" /reg:${arch})
      if(rc EQUAL 0 AND arch EQUAL 64)
        fail("both removed: HKCR\\${progid} is left in the view of the package removed last")
      elseif(rc EQUAL 0)
        wine(rc text reg delete "HKCR\\${progid}" /reg:${arch} /f)
      endif()
    endforeach()
  endforeach()
endforeach()
message(STATUS "side-by-side installation cycle passed")
