# Runs the sample generator into SCRATCH and fails unless it writes exactly
# the files kept in KEPT (sample.4ds and maps/), byte for byte.
# cmake -DGENERATOR=make-sample -DKEPT=samples -DSCRATCH=folder -P check_sample.cmake
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()

file(GLOB_RECURSE written RELATIVE ${SCRATCH} ${SCRATCH}/*)
file(GLOB kept RELATIVE ${KEPT} ${KEPT}/sample.4ds ${KEPT}/maps/*)
list(SORT written)
list(SORT kept)
if(NOT written STREQUAL kept)
  message(FATAL_ERROR "The generator writes [${written}] but samples/ keeps [${kept}]; regenerate the samples")
endif()
foreach(name IN LISTS written)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${KEPT}/${name} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "samples/${name} differs from what the generator writes; regenerate the samples")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
