# Runs create.vbs with wine's debug-string channel on and checks that its one
# object, released at the script's end, wrote exactly two trace lines, "INI"
# then "TER", with the same 32-digit identifier.
#   cmake -DWINE=<wine> -DSCRIPT=<create.vbs> -P trace.cmake
set(ENV{WINEDEBUG} "+debugstr")
execute_process(COMMAND "${WINE}" cscript //nologo "${SCRIPT}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT out MATCHES "CREATED Lkp_Operatori")
  message(FATAL_ERROR "the client did not finish (${rc}): ${out}${err}")
endif()
string(REGEX MATCHALL "OutputDebugStringA \"VORX:[^\"]*\"" lines "${err}")
list(JOIN lines "\n" lines)
set(line "OutputDebugStringA \"VORX:\\|([0-9A-F]+)\\|")
set(end "\\|VELDRANE\\|CLSMG_LOOKUP\"")
if(NOT lines MATCHES "^${line}INI${end}\n${line}TER${end}$" OR NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "expected the creation and the destruction line of one object, got:\n${lines}")
endif()
string(LENGTH "${CMAKE_MATCH_1}" id_length)
if(NOT id_length EQUAL 32)
  message(FATAL_ERROR "the identifier has ${id_length} digits: ${lines}")
endif()
message(STATUS "trace lines: ${lines}")
