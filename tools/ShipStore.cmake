# Puts a store built from the shipped history at STORE unless a file is there.
if(EXISTS "${STORE}")
    return()
endif()
execute_process(COMMAND "${IMPORTER}" "${CSV}" "${STORE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not build ${STORE} from ${CSV}")
endif()
