# What the wine test scripts share: wine() runs a command under ${WINE} and
# gives its exit status and output (standard output, then error); wine_ok()
# and wine_says() fail unless it succeeds, or says what is expected;
# expect_keys() checks that keys (by default the top keys any registration
# writes under HKCR) are all there or all gone; expect_registration() checks,
# under a classes root, each class's ProgIDs (with CurVer), ProgID,
# VersionIndependentProgID and Version, and the type library's name, FLAGS,
# HELPDIR and path, under its locale and the neutral one. fail() stops the
# test; a script that must clean up redefines it.
set(libid "{E54CA00C-4A7F-11D3-A7CA-00400519B149}")
set(typelib "TypeLib\\${libid}\\3.43")
set(class_ids
  "CLSMG_LOOKUP={9484223A-4BD2-11D3-A7CC-00400519B149}"
  "CLSMG_DECODE={9484223C-4BD2-11D3-A7CC-00400519B149}"
  "CLSMG_CONNECT={17C3FA16-58A6-11D4-A8E4-00400519B149}")
set(interface_ids "{3E7AA5A1-61A3-4528-955D-18D36B388D41}" "{48DE5153-083A-4C09-95A7-6F8B6BB44F55}"
  "{EF71DA8B-F18F-4ADA-A4E5-B4F387266837}" "{EF3C91B3-ABA9-4E0C-804E-623BD440BE95}")
set(class_keys "HKCR\\TypeLib\\${libid}")
foreach(entry IN LISTS class_ids)
  string(REGEX MATCH "^([^=]*)=(.*)$" entry "${entry}")
  list(APPEND class_keys "HKCR\\VELDRANE.${CMAKE_MATCH_1}" "HKCR\\VELDRANE.${CMAKE_MATCH_1}.1"
       "HKCR\\CLSID\\${CMAKE_MATCH_2}")
endforeach()
foreach(iid IN LISTS interface_ids)
  list(APPEND class_keys "HKCR\\Interface\\${iid}")
endforeach()

function(fail text)
  message(FATAL_ERROR "${text}")
endfunction()

function(wine out_rc out_text)
  execute_process(COMMAND "${WINE}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
  set(${out_rc} "${rc}" PARENT_SCOPE)
  set(${out_text} "${text}${err}" PARENT_SCOPE)
endfunction()

function(wine_ok step)
  wine(rc text ${ARGN})
  if(NOT rc EQUAL 0)
    fail("${step}: ${ARGN} failed (${rc}): ${text}")
  endif()
endfunction()

function(wine_says step regex)
  wine(rc text ${ARGN})
  if(NOT text MATCHES "${regex}")
    fail("${step}: expected '${regex}' from ${ARGN}, got: ${text}")
  endif()
endfunction()

function(expect_keys present step)
  cmake_parse_arguments(K "" "VIEW" "KEYS" ${ARGN})
  if(NOT K_KEYS)
    set(K_KEYS ${class_keys})
  endif()
  set(view)
  if(K_VIEW)
    set(view /reg:${K_VIEW})
  endif()
  foreach(key IN LISTS K_KEYS)
    wine(rc text reg query "${key}" ${view})
    if(present AND NOT rc EQUAL 0)
      fail("${step}: ${key} is missing")
    elseif(NOT present AND rc EQUAL 0)
      fail("${step}: ${key} is still there")
    endif()
  endforeach()
endfunction()

# Fails unless the default value of <key> matches <regex>.
function(expect_value key regex step)
  wine(rc text reg query "${key}" /ve ${reg_view})
  set(value "")
  if(rc EQUAL 0 AND text MATCHES "REG_SZ +([^\r\n]*)")
    set(value "${CMAKE_MATCH_1}")
  endif()
  if(NOT value MATCHES "${regex}")
    fail("${step}: ${key} is '${value}', expected '${regex}'")
  endif()
endfunction()

function(expect_registration root arch step)
  cmake_parse_arguments(R "" "VIEW" "" ${ARGN})
  set(reg_view)
  if(R_VIEW)
    set(reg_view /reg:${R_VIEW})
  endif()
  foreach(entry IN LISTS class_ids)
    string(REGEX MATCH "^([^=]*)=(.*)$" entry "${entry}")
    set(progid "VELDRANE.${CMAKE_MATCH_1}")
    set(clsid "${CMAKE_MATCH_2}")
    expect_value("${root}\\${progid}\\CLSID" "^${clsid}$" "${step}")
    expect_value("${root}\\${progid}\\CurVer" "^${progid}.1$" "${step}")
    expect_value("${root}\\${progid}.1\\CLSID" "^${clsid}$" "${step}")
    expect_value("${root}\\CLSID\\${clsid}\\ProgID" "^${progid}.1$" "${step}")
    expect_value("${root}\\CLSID\\${clsid}\\VersionIndependentProgID" "^${progid}$" "${step}")
    expect_value("${root}\\CLSID\\${clsid}\\Version" "^3.67$" "${step}")
  endforeach()
  expect_value("${root}\\${typelib}" "^Talvern BO Lookup e Decodifiche Modulo Magazzino$" "${step}")
  expect_value("${root}\\${typelib}\\FLAGS" "^8$" "${step}")
  expect_value("${root}\\${typelib}\\HELPDIR" "." "${step}")
  foreach(lcid 409 0)
    expect_value("${root}\\${typelib}\\${lcid}\\win${arch}" "VELDRANE\\.dll$" "${step}: win${arch}, locale ${lcid}")
  endforeach()
endfunction()
