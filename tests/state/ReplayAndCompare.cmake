# Replays the script into ACTUAL and compares that table with EXPECTED.
#
#   cmake -DREPLAY=<state_replay> -DCOMPARE=<state_compare> -DEXPECTED=<golden>
#         -DACTUAL=<output> [-DMODE=--ulp-report] -P ReplayAndCompare.cmake
#
# REPLAY may be a list: a runner (node, wine) followed by the replay program.

foreach(required REPLAY COMPARE EXPECTED ACTUAL)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "ReplayAndCompare.cmake needs -D${required}=...")
  endif()
endforeach()

execute_process(COMMAND ${REPLAY} OUTPUT_FILE ${ACTUAL} RESULT_VARIABLE replayStatus)
if(NOT replayStatus EQUAL 0)
  message(FATAL_ERROR "state_replay failed (${replayStatus})")
endif()

execute_process(COMMAND ${COMPARE} ${MODE} ${EXPECTED} ${ACTUAL} RESULT_VARIABLE compareStatus)
if(NOT compareStatus EQUAL 0)
  message(FATAL_ERROR "the state table differs from ${EXPECTED}; the replay's table is ${ACTUAL}")
endif()
