# Configures, builds and runs an outside project: the consumer of the installed
# package (PREFIX) or the parent project that adds the source tree (GEOFRAME).
file(REMOVE_RECURSE ${BINARY_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR}
                        -DCMAKE_PREFIX_PATH=${PREFIX} -DGEOFRAME_SOURCE_DIR=${GEOFRAME}
                        -DCMAKE_CXX_COMPILER=${CXX}
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "configuring ${SOURCE_DIR} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} -j 2 RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "building ${SOURCE_DIR} failed")
endif()
execute_process(COMMAND ${BINARY_DIR}/${PROGRAM} RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "${PROGRAM} failed")
endif()
