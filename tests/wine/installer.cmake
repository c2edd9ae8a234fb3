# The installer package in a prefix where nothing else is registered, run with
#   cmake -DWINE=<wine> -DMSI=<package, Windows path> -DSCRIPTS=<this folder, Windows path> -DARCH=<32|64>
#         -P installer.cmake
# msiexec installs it silently, with the registration of regsvr32
# (expect_registration), a complete Add/Remove Programs entry and the
# administrator's README.txt; the example script it installs then runs
# from Program Files; msiexec removes it silently, after which CreateObject
# fails and neither the files, nor any registry key, nor the entry are left.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")
set(dll_key "HKCR\\CLSID\\{9484223A-4BD2-11D3-A7CC-00400519B149}\\InprocServer32")

# Stops the test, first removing the package: the prefix stays clean for
# the next run.
function(fail text)
  execute_process(COMMAND "${WINE}" msiexec /x "${MSI}" /qn OUTPUT_QUIET ERROR_QUIET)
  message(FATAL_ERROR "${text}")
endfunction()

wine_ok("installation" msiexec /i "${MSI}" /qn)
expect_keys(TRUE "after installation")
# The 32-bit package goes to "Program Files (x86)" on a 64-bit system.
wine(rc text reg query "${dll_key}")
if(NOT text MATCHES "Apartment" OR
   NOT text MATCHES "REG_SZ +(C:\\\\Program Files( \\(x86\\))?\\\\VELDRANE)\\\\VELDRANE\\.dll")
  fail("InprocServer32 after installation: ${text}")
endif()
set(folder "${CMAKE_MATCH_1}")
expect_registration(HKCR ${ARCH} "after installation")

# The Add/Remove Programs entry, in the package's registry view.
# The product's key: from its name to the blank line that ends the key.
function(arp_entry out)
  wine(rc text reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s /reg:${ARCH})
  string(REPLACE "\r" "" text "${text}")
  set(entry "")
  string(FIND "${text}" "REG_SZ    VELDRANE (x" at)
  if(at GREATER_EQUAL 0)
    string(SUBSTRING "${text}" 0 ${at} before)
    string(FIND "${before}" "\nHKEY" start REVERSE)
    string(SUBSTRING "${text}" ${start} -1 entry)
    string(FIND "${entry}" "\n\n" end)
    string(SUBSTRING "${entry}" 0 ${end} entry)
    string(APPEND entry "\n")
  endif()
  set(${out} "${entry}" PARENT_SCOPE)
endfunction()
arp_entry(entry)
string(REPLACE "\\" "\\\\" folder_re "${folder}")
string(REPLACE "(" "\\(" folder_re "${folder_re}")
string(REPLACE ")" "\\)" folder_re "${folder_re}")
foreach(value
    "DisplayVersion +REG_SZ +3\\.67\\.0\\.0\n" "Publisher +REG_SZ +Talvern\n" "Contact +REG_SZ +Talvern\n"
    "Comments +REG_SZ +Talvern BO Lookup e Decodifiche Modulo Magazzino\n"
    "InstallLocation +REG_SZ +${folder_re}\\\\?\n" "HelpLink +REG_SZ +${folder_re}\\\\README\\.txt\n"
    "NoModify +REG_DWORD +0x1\n")
  if(NOT entry MATCHES "${value}")
    fail("the Add/Remove Programs entry lacks '${value}': ${entry}")
  endif()
endforeach()

# The installed document is the administrator's, not the build instructions.
string(REGEX REPLACE "^C:" "$ENV{WINEPREFIX}/drive_c" unix_folder "${folder}")
string(REPLACE "\\" "/" unix_folder "${unix_folder}")
if(EXISTS "${unix_folder}/README.md" OR NOT EXISTS "${unix_folder}/README.txt")
  fail("the installed documentation: README.txt expected, README.md not")
endif()
file(READ "${unix_folder}/README.txt" readme)
foreach(phrase "VELDRANE 3.67.0.0" "TARNELL.CLSMG_CONNECT" "answers False" "regsvr32 /n /i:user" "VELDRANE.CLSMG_LOOKUP.1")
  string(FIND "${readme}" "${phrase}" at)
  if(at LESS 0)
    fail("the installed README.txt does not say '${phrase}'")
  endif()
endforeach()
if(readme MATCHES "cmake|setup\\.sh")
  fail("the installed README.txt holds build instructions")
endif()
set(example "Elenco Operatori\r?\nLkp_Operatori\r?\n.*WHERE +MG01_CODICE = 'ABC'.*Refused: 5 ")
wine_says("the installed example script" "${example}" cscript //nologo "${folder}\\example.vbs")

wine_ok("removal" msiexec /x "${MSI}" /qn)
expect_keys(FALSE "after removal")
wine_says("after removal" "NOT CREATED 429" cscript //nologo "${SCRIPTS}\\create.vbs")
wine(rc text cmd /c if exist "${folder}" echo LEFT)
if(text MATCHES "LEFT")
  fail("after removal: the installation folder is still there")
endif()
arp_entry(entry)
if(entry)
  fail("after removal: the Add/Remove Programs entry is still there: ${entry}")
endif()
message(STATUS "installation cycle passed")
