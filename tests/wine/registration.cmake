# The registration cycle of VELDRANE.dll, run with
#   cmake -DWINE=<wine> -DDLL=<dll, Windows path> -DSCRIPTS=<this folder, Windows path> -DARCH=<32|64>
#         -P registration.cmake
# Registering writes the class keys and both ProgIDs of each class, in the
# registry view of the DLL's own architecture, and the type library for
# that architecture (win32 or win64), under its own locale and the neutral
# one (class_keys.cmake); registering again is harmless;
# CreateObject then works; unregistering removes every key registration
# wrote, a second unregistration is harmless, and CreateObject fails with
# 429 afterwards.
set(keys
  "HKCR\\VELDRANE.CLSMG_LOOKUP"
  "HKCR\\VELDRANE.CLSMG_LOOKUP.1"
  "HKCR\\VELDRANE.CLSMG_DECODE.1"
  "HKCR\\VELDRANE.CLSMG_CONNECT.1"
  "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}"
  "HKCR\\TypeLib\\{E54CA00C-4A7F-11D3-A7CA-00400519B149}"
  "HKCR\\Interface\\{3E7AA5A1-61A3-4528-955D-18D36B388D41}"
  "HKCR\\VELDRANE.CLSMG_DECODE"
  "HKCR\\CLSID\\{9484223C-4BD2-11D3-A7CC-00400519B149}"
  "HKCR\\Interface\\{48DE5153-083A-4C09-95A7-6F8B6BB44F55}"
  "HKCR\\VELDRANE.CLSMG_CONNECT"
  "HKCR\\CLSID\\{17C3FA16-58A6-11D4-A8E4-00400519B149}"
  "HKCR\\Interface\\{EF71DA8B-F18F-4ADA-A4E5-B4F387266837}"
  "HKCR\\Interface\\{EF3C91B3-ABA9-4E0C-804E-623BD440BE95}")

include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/class_keys.cmake")

function(expect_keys present step)
  foreach(key IN LISTS keys)
    wine(rc text reg query "${key}")
    if(present AND NOT rc EQUAL 0)
      message(FATAL_ERROR "${step}: ${key} is missing")
    elseif(NOT present AND rc EQUAL 0)
      message(FATAL_ERROR "${step}: ${key} is still there")
    endif()
  endforeach()
endfunction()

function(expect_creation expected step)
  wine(rc text cscript //nologo "${SCRIPTS}\\create.vbs")
  if(NOT text MATCHES "${expected}")
    message(FATAL_ERROR "${step}: expected '${expected}', the client said: ${text}")
  endif()
endfunction()

function(regsvr32 step)
  wine(rc text regsvr32 /s ${ARGN} "${DLL}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${step}: regsvr32 ${ARGN} failed (${rc}): ${text}")
  endif()
endfunction()

# Start from a prefix without the component.
wine(rc text regsvr32 /s /u "${DLL}")
expect_keys(FALSE "before registration")

regsvr32("registration")
expect_keys(TRUE "after registration")
wine(rc text reg query "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}\\InprocServer32" /v ThreadingModel)
if(NOT text MATCHES "Apartment")
  message(FATAL_ERROR "ThreadingModel is not Apartment: ${text}")
endif()
wine(rc text reg query "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}\\InprocServer32")
if(NOT text MATCHES "VELDRANE\\.dll")
  message(FATAL_ERROR "InprocServer32 does not name the DLL: ${text}")
endif()

# The class is in its own architecture's view only (on a 64-bit prefix,
# where there are two views).
set(class_key "HKLM\\Software\\Classes\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}")
wine(rc text reg query "${class_key}" /reg:${ARCH})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the class is not in the ${ARCH}-bit registry view: ${text}")
endif()
wine(rc text reg query "HKLM\\Software\\Wow6432Node")
if(rc EQUAL 0)
  if(ARCH EQUAL 64)
    set(other 32)
  else()
    set(other 64)
  endif()
  wine(rc text reg query "${class_key}" /reg:${other})
  if(rc EQUAL 0)
    message(FATAL_ERROR "the ${ARCH}-bit DLL registered the class in the ${other}-bit view too")
  endif()
endif()
expect_registration(HKCR ${ARCH} "after registration")

regsvr32("second registration")
expect_keys(TRUE "after the second registration")
expect_creation("CREATED Lkp_Operatori" "creation after registration")

regsvr32("unregistration" /u)
expect_keys(FALSE "after unregistration")
expect_creation("NOT CREATED 429" "creation after unregistration")
regsvr32("second unregistration" /u)
message(STATUS "registration cycle passed")
