# The connector's error message boxes, seen through wine's relay trace of
# MessageBoxW (the box itself returns at once without a display):
#   cmake -DWINE=<wine> -DHERE=<this folder, Windows path> -DFAKE_HOST=<FAKEHOST.dll, Windows path> -P messagebox.cmake
# A failing sibling member gives one critical-stop box naming the member
# (ElencoCliXGiri under its own name, not the sibling's); a sibling that
# cannot be created gives two, the first naming IstanziaClasseConnect.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")

# A failure leaves the test host registered for the tests that follow.
function(fail text)
  execute_process(COMMAND "${WINE}" regsvr32 /s "${FAKE_HOST}" OUTPUT_QUIET ERROR_QUIET)
  message(FATAL_ERROR "${text}")
endfunction()

# Runs the script: its ANSWERS line must be `answers`, and it must show
# critical-stop boxes titled VELDRANE whose prompts (as the relay trace
# writes them: ° as \00b0, CR as \r) match the regular expressions given.
function(expect_boxes script answers)
  set(ENV{WINEDEBUG} "+relay")
  wine(rc out cscript //nologo "${HERE}\\${script}")
  set(ENV{WINEDEBUG} "-all")
  string(REGEX MATCH "ANSWERS[^\n]*" got "${out}")
  string(REGEX MATCHALL "user32\\.MessageBoxW\\([0-9a-f]+,[0-9a-f]+ L\"[^\"]*\",[0-9a-f]+ L\"[^\"]*\",[0-9a-f]+\\)" calls "${out}")
  list(LENGTH calls n)
  list(LENGTH ARGN expected)
  if(NOT got STREQUAL "ANSWERS ${answers}" OR NOT n EQUAL expected)
    fail("${script}: '${got}' and ${n} message boxes, expected 'ANSWERS ${answers}' and ${expected}: ${calls}")
  endif()
  foreach(prompt call IN ZIP_LISTS ARGN calls)
    if(NOT call MATCHES "L\"${prompt}\",[0-9a-f]+ L\"VELDRANE\",00002010\\)$")
      fail("${script}: message box\n  expected ${prompt}\n  got      ${call}")
    endif()
  endforeach()
endfunction()

set(box "Errore n\\\\00b0 :")
expect_boxes(messagebox.vbs "False False"
  "${box}1001 Programma non disponibile: Porto\\\\rIn : TARNELL\\.CLSMG_CONNECT\\\\rFunzione : Porto"
  "${box}1001 Programma non disponibile: ElencoClientiXGiri\\\\rIn : TARNELL\\.CLSMG_CONNECT\\\\rFunzione : ElencoCliXGiri")

# Without the sibling's class, then with it again.
wine(rc out reg delete "HKCR\\TARNELL.CLSMG_CONNECT" /f)
expect_boxes(nosibling.vbs "False"
  "${box}429 ActiveX component can't create object\\\\rIn : VELDRANE\\\\rFunzione : IstanziaClasseConnect"
  "[^\"]*\\\\rFunzione : StampaPorto")
wine_ok("registering the test host again" regsvr32 /s "${FAKE_HOST}")
message(STATUS "message boxes as expected")
