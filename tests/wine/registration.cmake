# The registration cycle of VELDRANE.dll, run with
#   cmake -DWINE=<wine> -DDLL=<dll, Windows path> -DSCRIPTS=<this folder, Windows path> -DARCH=<32|64>
#         -P registration.cmake
# Registering writes the class keys and both ProgIDs of each class, in the
# registry view of the DLL's own architecture, and the type library for
# that architecture (win32 or win64), under its own locale and the neutral
# one (expect_registration); registering again is harmless; CreateObject
# then works; unregistering removes every key registration wrote, a second
# unregistration is harmless, and CreateObject fails with 429 afterwards.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")

# Start from a prefix without the component.
wine(rc text regsvr32 /s /u "${DLL}")
expect_keys(FALSE "before registration")

wine_ok("registration" regsvr32 /s "${DLL}")
expect_keys(TRUE "after registration")
set(server "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}\\InprocServer32")
wine_says("ThreadingModel" "Apartment" reg query "${server}" /v ThreadingModel)
wine_says("InprocServer32" "VELDRANE\\.dll" reg query "${server}")

# The class is in its own architecture's view only (on a 64-bit prefix,
# where there are two views).
set(class_key "HKLM\\Software\\Classes\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}")
expect_keys(TRUE "the ${ARCH}-bit registry view" VIEW ${ARCH} KEYS "${class_key}")
wine(rc text reg query "HKLM\\Software\\Wow6432Node")
if(rc EQUAL 0)
  math(EXPR other "96 - ${ARCH}")
  expect_keys(FALSE "the ${ARCH}-bit DLL in the ${other}-bit view" VIEW ${other} KEYS "${class_key}")
endif()
expect_registration(HKCR ${ARCH} "after registration")

wine_ok("second registration" regsvr32 /s "${DLL}")
expect_keys(TRUE "after the second registration")
wine_says("creation after registration" "CREATED Lkp_Operatori" cscript //nologo "${SCRIPTS}\\create.vbs")

wine_ok("unregistration" regsvr32 /s /u "${DLL}")
expect_keys(FALSE "after unregistration")
wine_says("creation after unregistration" "NOT CREATED 429" cscript //nologo "${SCRIPTS}\\create.vbs")
wine_ok("second unregistration" regsvr32 /s /u "${DLL}")
message(STATUS "registration cycle passed")
