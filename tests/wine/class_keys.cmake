# What every way of registering VELDRANE.dll writes (included, after
# wine.cmake, by the registration, per-user, installer and side-by-side
# test scripts):
#   expect_registration(<root> <arch> <step> [VIEW <32|64>])
# checks, under the classes root <root> (HKCR, or the user's classes), for
# each class its ProgIDs (version-independent with CurVer, and
# version-dependent), the class key's ProgID, VersionIndependentProgID and
# Version, and the type library's registration: name, FLAGS (as
# registering the library writes them), HELPDIR, and the path for the
# architecture <arch> under the library's locale and the neutral one.
set(libid "{E54CA00C-4A7F-11D3-A7CA-00400519B149}")
set(typelib "TypeLib\\${libid}\\3.43")
set(class_ids
  "CLSMG_LOOKUP={9484223A-4BD2-11D3-A7CC-00400519B149}"
  "CLSMG_DECODE={9484223C-4BD2-11D3-A7CC-00400519B149}"
  "CLSMG_CONNECT={17C3FA16-58A6-11D4-A8E4-00400519B149}")

# The default value of <key> (or its value <name>), empty when missing.
function(reg_value out key)
  set(which /ve)
  if(ARGN)
    set(which /v ${ARGN})
  endif()
  wine(rc text reg query "${key}" ${which} ${reg_view})
  set(value "")
  if(rc EQUAL 0 AND text MATCHES "REG_SZ +([^\r\n]*)")
    set(value "${CMAKE_MATCH_1}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

function(expect_value key expected step)
  reg_value(value "${key}")
  if(NOT value STREQUAL expected)
    message(FATAL_ERROR "${step}: ${key} is '${value}', not '${expected}'")
  endif()
endfunction()

function(expect_registration root arch step)
  cmake_parse_arguments(R "" "VIEW" "" ${ARGN})
  set(reg_view)
  if(R_VIEW)
    set(reg_view /reg:${R_VIEW})
  endif()
  foreach(entry IN LISTS class_ids)
    string(REPLACE "=" ";" entry "${entry}")
    list(GET entry 0 class)
    list(GET entry 1 clsid)
    set(progid "VELDRANE.${class}")
    expect_value("${root}\\${progid}\\CLSID" "${clsid}" "${step}")
    expect_value("${root}\\${progid}\\CurVer" "${progid}.1" "${step}")
    expect_value("${root}\\${progid}.1\\CLSID" "${clsid}" "${step}")
    expect_value("${root}\\CLSID\\${clsid}\\ProgID" "${progid}.1" "${step}")
    expect_value("${root}\\CLSID\\${clsid}\\VersionIndependentProgID" "${progid}" "${step}")
    expect_value("${root}\\CLSID\\${clsid}\\Version" "3.67" "${step}")
  endforeach()
  expect_value("${root}\\${typelib}" "Talvern BO Lookup e Decodifiche Modulo Magazzino" "${step}")
  expect_value("${root}\\${typelib}\\FLAGS" "8" "${step}")
  reg_value(helpdir "${root}\\${typelib}\\HELPDIR")
  if(helpdir STREQUAL "")
    message(FATAL_ERROR "${step}: no HELPDIR")
  endif()
  foreach(lcid 409 0)
    reg_value(path "${root}\\${typelib}\\${lcid}\\win${arch}")
    if(NOT path MATCHES "VELDRANE\\.dll$")
      message(FATAL_ERROR "${step}: the win${arch} library under locale ${lcid} is '${path}'")
    endif()
  endforeach()
endfunction()
