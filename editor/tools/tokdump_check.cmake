# Runs tokdump on a fixture and compares its output with the expected token runs.
execute_process(COMMAND ${TOOL} --lang=${LANG} ${INPUT} OUTPUT_VARIABLE actual RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tokdump failed with ${rc}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "tokdump output differs from ${EXPECTED}")
endif()
