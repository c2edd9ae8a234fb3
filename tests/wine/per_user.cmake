# Registration for the current user (DllInstall through regsvr32 /n
# /i:user), run with
#   cmake -DWINE=<wine> -DDLL=<dll, Windows path> -DARCH=<32|64> -DOUT=<scratch folder> -P per_user.cmake
# Registering writes the classes, ProgIDs, the type library and its
# interfaces under HKCU\Software\Classes, as the machine-wide registration
# does (expect_registration), and nothing machine-wide; removing takes back
# every key it wrote and leaves the machine-wide registration of the DLL
# (in place when this runs) as it was; another command line is refused.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")
set(user "HKEY_CURRENT_USER\\Software\\Classes")

# What the registry holds: the user's classes as listed, the machine's
# classes (both views) as exported.
function(snapshot out)
  wine(rc user_text reg query "${user}" /s)
  file(REMOVE "${OUT}/machine.reg")
  wine(rc text reg export "HKLM\\Software\\Classes" "${OUT}/machine.reg" /y)
  file(READ "${OUT}/machine.reg" machine HEX)
  string(MD5 machine "${machine}")
  set(${out} "${user_text}" "${machine}" PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY "${OUT}")
wine_ok("clean start" regsvr32 /s /u /n /i:user "${DLL}")
snapshot(before)
list(GET before 0 user_before)
list(GET before 1 machine_before)

wine(rc text regsvr32 /s /n /i:machine "${DLL}")
wine(rc2 user_now reg query "${user}" /s)
if(rc EQUAL 0 OR NOT user_now STREQUAL user_before)
  fail("another command line: accepted (${rc}) or the user's classes changed")
endif()

wine_ok("registration" regsvr32 /s /n /i:user "${DLL}")
snapshot(now)
list(GET now 0 user_now)
list(GET now 1 machine_now)
string(REPLACE "\r" "" user_now "${user_now}")
string(REPLACE "HKCR\\" "${user}\\" keys "${class_keys}")
string(TOLOWER "${user_now}" user_lower)  # key names are case-insensitive; one listing, no call per key
foreach(key IN LISTS keys)
  string(TOLOWER "${key}\n" wanted)
  string(FIND "${user_lower}" "${wanted}" at)
  if(at LESS 0)
    fail("after registration: ${key} is missing from the user's classes")
  endif()
endforeach()
if(NOT user_now MATCHES "InprocServer32\n +\\(Default\\) +REG_SZ +[^\n]*VELDRANE\\.dll\n +ThreadingModel +REG_SZ +Apartment")
  fail("the user's InprocServer32 keys: ${user_now}")
endif()
expect_registration("${user}" ${ARCH} "per-user registration")
if(NOT machine_now STREQUAL machine_before)
  fail("per-user registration changed the machine's classes")
endif()

wine_ok("second registration" regsvr32 /s /n /i:user "${DLL}")
wine_ok("removal" regsvr32 /s /u /n /i:USER "${DLL}")
snapshot(now)
if(NOT now STREQUAL before)
  fail("removal left the registry changed:\n${now}\nbefore:\n${before}")
endif()
wine_ok("second removal" regsvr32 /s /u /n /i:user "${DLL}")
message(STATUS "per-user registration cycle passed")
