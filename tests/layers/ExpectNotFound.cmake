# cmake -DBUILD_DIR= -DPROBE_TARGET= -DHEADER= -DSOURCE_DIR= -P ExpectNotFound.cmake
# Passes only when building PROBE_TARGET fails because the compiler did not find
# HEADER, a header that src/ has: any other failure, or a build that succeeds,
# fails the probe.
if(NOT EXISTS "${SOURCE_DIR}/src/${HEADER}")
  message(FATAL_ERROR "src/${HEADER} does not exist: its absence from the view would prove nothing")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target "${PROBE_TARGET}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "${HEADER} compiled in ${PROBE_TARGET}")
endif()
# As GCC and Clang say it.
string(FIND "${output}" "${HEADER}: No such file or directory" gcc)
string(FIND "${output}" "'${HEADER}' file not found" clang)
if(gcc EQUAL -1 AND clang EQUAL -1)
  message(FATAL_ERROR "${PROBE_TARGET} failed, but not for want of ${HEADER}:\n${output}")
endif()
