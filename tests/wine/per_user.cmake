# Registration for the current user (DllInstall through regsvr32 /n
# /i:user), run with
#   cmake -DWINE=<wine> -DDLL=<dll, Windows path> -DARCH=<32|64> -DOUT=<scratch folder> -P per_user.cmake
# Registering writes the classes, ProgIDs, the type library and its
# interfaces under HKCU\Software\Classes, as the machine-wide registration
# does (class_keys.cmake), and nothing machine-wide; removing
# takes back every key it wrote and leaves the machine-wide registration of
# the DLL (in place when this runs) as it was; another command line is
# refused.
set(user "HKEY_CURRENT_USER\\Software\\Classes")
set(keys
  "VELDRANE.CLSMG_LOOKUP\\CLSID" "VELDRANE.CLSMG_DECODE\\CLSID" "VELDRANE.CLSMG_CONNECT\\CLSID"
  "VELDRANE.CLSMG_LOOKUP.1\\CLSID" "VELDRANE.CLSMG_DECODE.1\\CLSID" "VELDRANE.CLSMG_CONNECT.1\\CLSID"
  "CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}\\InprocServer32"
  "CLSID\\{9484223C-4BD2-11D3-A7CC-00400519B149}\\InprocServer32"
  "CLSID\\{17C3FA16-58A6-11D4-A8E4-00400519B149}\\InprocServer32"
  "TypeLib\\{E54CA00C-4A7F-11D3-A7CA-00400519B149}\\3.43\\409\\win${ARCH}"
  "TypeLib\\{E54CA00C-4A7F-11D3-A7CA-00400519B149}\\3.43\\0\\win${ARCH}"
  "Interface\\{3E7AA5A1-61A3-4528-955D-18D36B388D41}\\TypeLib"
  "Interface\\{48DE5153-083A-4C09-95A7-6F8B6BB44F55}\\TypeLib"
  "Interface\\{EF71DA8B-F18F-4ADA-A4E5-B4F387266837}\\TypeLib"
  "Interface\\{EF3C91B3-ABA9-4E0C-804E-623BD440BE95}\\TypeLib")

include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/class_keys.cmake")

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

function(regsvr32 expect_ok step)
  wine(rc text regsvr32 /s ${ARGN} "${DLL}")
  if(expect_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "${step}: regsvr32 ${ARGN} failed (${rc}): ${text}")
  elseif(NOT expect_ok AND rc EQUAL 0)
    message(FATAL_ERROR "${step}: regsvr32 ${ARGN} succeeded")
  endif()
endfunction()

file(MAKE_DIRECTORY "${OUT}")
regsvr32(TRUE "clean start" /u /n /i:user)
snapshot(before)
list(GET before 1 machine_before)

regsvr32(FALSE "another command line" /n /i:machine)
wine(rc user_now reg query "${user}" /s)
list(GET before 0 user_before)
if(NOT user_now STREQUAL user_before)
  message(FATAL_ERROR "a refused command line changed the user's classes")
endif()

regsvr32(TRUE "registration" /n /i:user)
snapshot(now)
list(GET now 0 user_now)
list(GET now 1 machine_now)
string(REPLACE "\r" "" user_now "${user_now}")
string(TOLOWER "${user_now}" user_lower)  # key names are case-insensitive
foreach(key IN LISTS keys)
  string(TOLOWER "${user}\\${key}\n" wanted)
  string(FIND "${user_lower}" "${wanted}" at)
  if(at LESS 0)
    message(FATAL_ERROR "after registration: ${key} is missing from the user's classes")
  endif()
endforeach()
if(NOT user_now MATCHES "InprocServer32\n +\\(Default\\) +REG_SZ +[^\n]*VELDRANE\\.dll\n +ThreadingModel +REG_SZ +Apartment")
  message(FATAL_ERROR "the user's InprocServer32 keys: ${user_now}")
endif()
expect_registration("${user}" ${ARCH} "per-user registration")
if(NOT machine_now STREQUAL machine_before)
  message(FATAL_ERROR "per-user registration changed the machine's classes")
endif()

regsvr32(TRUE "second registration" /n /i:user)
regsvr32(TRUE "removal" /u /n /i:USER)
snapshot(now)
if(NOT now STREQUAL before)
  message(FATAL_ERROR "removal left the registry changed:\n${now}\nbefore:\n${before}")
endif()
regsvr32(TRUE "second removal" /u /n /i:user)
message(STATUS "per-user registration cycle passed")
