# Configures the project with BUILD_TESTING=OFF while QtTest cannot be found.
# Arguments: SOURCE_DIR, WORK, GENERATOR.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK}" -G "${GENERATOR}"
  -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(REMOVE_RECURSE "${WORK}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring without tests failed:\n${out}")
endif()
