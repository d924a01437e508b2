# Starts the real program once, offscreen, on a copy of the shipped store
# beside a copy of the binary, and fails unless it comes up and exits 0.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${PROGRAM}" DESTINATION "${WORK}")
execute_process(COMMAND "${IMPORTER}" "${CSV}" "${WORK}/caipiao.edb" RESULT_VARIABLE imported)
if(NOT imported EQUAL 0)
    message(FATAL_ERROR "could not build the store")
endif()
get_filename_component(name "${PROGRAM}" NAME)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen TRICALA_QUIT_WHEN_READY=1
                        "${WORK}/${name}"
                RESULT_VARIABLE result TIMEOUT 60)
file(REMOVE_RECURSE "${WORK}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the program exited with ${result}")
endif()
