# The connector's error message boxes, seen through wine's relay trace of
# MessageBoxW (the box itself returns at once without a display):
#   cmake -DWINE=<wine> -DHERE=<this folder, Windows path> -DFAKE_HOST=<FAKEHOST.dll, Windows path> -P messagebox.cmake
# A failing sibling member gives one critical-stop box naming the member
# (ElencoCliXGiri under its own name, not the sibling's); a sibling that
# cannot be created gives two, the first naming IstanziaClasseConnect.
include("${CMAKE_CURRENT_LIST_DIR}/wine.cmake")
set(ENV{WINEDEBUG} "+relay")

# The prompts as the relay trace writes them: ° as \00b0, CR as \r.
function(boxes script out_answers out_prompts)
  wine(rc out cscript //nologo "${HERE}\\${script}")
  string(REGEX MATCH "ANSWERS[^\n]*" answers "${out}")
  string(REGEX MATCHALL "user32\\.MessageBoxW\\([0-9a-f]+,[0-9a-f]+ L\"[^\"]*\",[0-9a-f]+ L\"[^\"]*\",[0-9a-f]+\\)" calls "${out}")
  set(${out_answers} "${answers}" PARENT_SCOPE)
  set(${out_prompts} "${calls}" PARENT_SCOPE)
endfunction()

function(expect_box calls index prompt)
  list(LENGTH calls n)
  if(index GREATER_EQUAL n)
    message(FATAL_ERROR "no message box ${index}: ${calls}")
  endif()
  list(GET calls ${index} call)
  string(REGEX MATCH "L\"([^\"]*)\",[0-9a-f]+ L\"VELDRANE\",00002010\\)$" matched "${call}")
  if(NOT matched OR NOT CMAKE_MATCH_1 STREQUAL "${prompt}")
    message(FATAL_ERROR "message box ${index}:\n  expected ${prompt}\n  got      ${call}")
  endif()
endfunction()

boxes(messagebox.vbs answers calls)
if(NOT answers STREQUAL "ANSWERS False False")
  message(FATAL_ERROR "failing members should answer False: '${answers}'")
endif()
list(LENGTH calls n)
if(NOT n EQUAL 2)
  message(FATAL_ERROR "expected two message boxes, got ${n}: ${calls}")
endif()
expect_box("${calls}" 0 "Errore n\\00b0 :1001 Programma non disponibile: Porto\\rIn : TARNELL.CLSMG_CONNECT\\rFunzione : Porto")
expect_box("${calls}" 1 "Errore n\\00b0 :1001 Programma non disponibile: ElencoClientiXGiri\\rIn : TARNELL.CLSMG_CONNECT\\rFunzione : ElencoCliXGiri")

# Without the sibling's class, then with it again.
set(ENV{WINEDEBUG} "-all")
wine(rc out reg delete "HKCR\\TARNELL.CLSMG_CONNECT" /f)
set(ENV{WINEDEBUG} "+relay")
boxes(nosibling.vbs answers calls)
set(ENV{WINEDEBUG} "-all")
wine_ok("registering the test host again" regsvr32 /s "${FAKE_HOST}")
if(NOT answers STREQUAL "ANSWERS False")
  message(FATAL_ERROR "a request without a sibling should answer False: '${answers}'")
endif()
list(LENGTH calls n)
if(NOT n EQUAL 2)
  message(FATAL_ERROR "expected two message boxes without a sibling, got ${n}: ${calls}")
endif()
expect_box("${calls}" 0 "Errore n\\00b0 :429 ActiveX component can't create object\\rIn : VELDRANE\\rFunzione : IstanziaClasseConnect")
list(GET calls 1 second)
if(NOT second MATCHES "\\\\rFunzione : StampaPorto\"")
  message(FATAL_ERROR "the second box should name StampaPorto: ${second}")
endif()
message(STATUS "message boxes as expected")
