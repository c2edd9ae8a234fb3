# The installer package in a prefix where nothing else is registered, run with
#   cmake -DWINE=<wine> -DMSI=<package, Windows path> -DSCRIPTS=<this folder, Windows path> -DARCH=<32|64>
#         -P installer.cmake
# msiexec installs it silently; the example script it installs then runs
# from Program Files; msiexec removes it silently, after which CreateObject
# fails and neither the files nor any registry key are left.
set(keys
  "HKCR\\VELDRANE.CLSMG_LOOKUP" "HKCR\\VELDRANE.CLSMG_DECODE" "HKCR\\VELDRANE.CLSMG_CONNECT"
  "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}"
  "HKCR\\CLSID\\{9484223C-4BD2-11D3-A7CC-00400519B149}"
  "HKCR\\CLSID\\{17C3FA16-58A6-11D4-A8E4-00400519B149}"
  "HKCR\\TypeLib\\{E54CA00C-4A7F-11D3-A7CA-00400519B149}"
  "HKCR\\Interface\\{3E7AA5A1-61A3-4528-955D-18D36B388D41}"
  "HKCR\\Interface\\{48DE5153-083A-4C09-95A7-6F8B6BB44F55}"
  "HKCR\\Interface\\{EF71DA8B-F18F-4ADA-A4E5-B4F387266837}"
  "HKCR\\Interface\\{EF3C91B3-ABA9-4E0C-804E-623BD440BE95}")
set(dll_key "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}\\InprocServer32")

include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")

# Stops the test, first removing the package: the prefix stays clean for
# the next run.
function(fail text)
  execute_process(COMMAND "${WINE}" msiexec /x "${MSI}" /qn OUTPUT_QUIET ERROR_QUIET)
  message(FATAL_ERROR "${text}")
endfunction()

function(expect_keys present step)
  foreach(key IN LISTS keys)
    wine(rc text reg query "${key}")
    if(present AND NOT rc EQUAL 0)
      fail("${step}: ${key} is missing")
    elseif(NOT present AND rc EQUAL 0)
      fail("${step}: ${key} is still there")
    endif()
  endforeach()
endfunction()

function(msiexec step)
  wine(rc text msiexec ${ARGN} "${MSI}" /qn)
  if(NOT rc EQUAL 0)
    fail("${step}: msiexec ${ARGN} failed (${rc}): ${text}")
  endif()
endfunction()

msiexec("installation" /i)
expect_keys(TRUE "after installation")
# The 32-bit package goes to "Program Files (x86)" on a 64-bit system.
wine(rc text reg query "${dll_key}")
if(NOT text MATCHES "Apartment" OR
   NOT text MATCHES "REG_SZ +(C:\\\\Program Files( \\(x86\\))?\\\\VELDRANE)\\\\VELDRANE\\.dll")
  fail("InprocServer32 after installation: ${text}")
endif()
set(folder "${CMAKE_MATCH_1}")
wine(rc text reg query "HKCR\\TypeLib\\{E54CA00C-4A7F-11D3-A7CA-00400519B149}\\3.43\\409\\win${ARCH}")
if(NOT text MATCHES "VELDRANE\\.dll")
  fail("the type library is not registered as a win${ARCH} library: ${text}")
endif()
wine(rc text cscript //nologo "${folder}\\example.vbs")
if(NOT text MATCHES "Elenco Operatori\r?\nLkp_Operatori\r?\n.*WHERE +MG01_CODICE = 'ABC'.*Refused: 5 ")
  fail("the installed example script said: ${text}")
endif()

msiexec("removal" /x)
expect_keys(FALSE "after removal")
wine(rc text cscript //nologo "${SCRIPTS}\\create.vbs")
if(NOT text MATCHES "NOT CREATED 429")
  fail("after removal: ${text}")
endif()
wine(rc text cmd /c if exist "${folder}" echo LEFT)
if(text MATCHES "LEFT")
  fail("after removal: the installation folder is still there")
endif()
message(STATUS "installation cycle passed")
