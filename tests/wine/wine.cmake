# Included by the wine test scripts: wine(<rc var> <text var> <command>...)
# runs a command under the loader ${WINE} and gives its exit status and its
# output (standard output, then standard error).
function(wine out_rc out_text)
  execute_process(COMMAND "${WINE}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
  set(${out_rc} "${rc}" PARENT_SCOPE)
  set(${out_text} "${text}${err}" PARENT_SCOPE)
endfunction()
