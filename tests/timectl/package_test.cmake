# Installs the Horlogix component into a fresh prefix, then configures, builds and runs a small
# project that finds it there with find_package(Horlogix). Checks that the Designer plugin, if
# built, loads the library of that prefix.
# Arguments: BUILD_DIR, WORK, CONSUMER_DIR, GENERATOR, CXX, CXX_FLAGS, LINKER_FLAGS, LAUNCHER.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/prefix")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" --component Horlogix)

run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${WORK}/build" -G "${GENERATOR}"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_PREFIX_PATH=${prefix}
  -DCMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON
  -DEXPECTED_PREFIX=${prefix}
  -DCMAKE_CXX_COMPILER=${CXX}
  "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
  "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}"
  "-DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}")
run(${CMAKE_COMMAND} --build "${WORK}/build")
run("${WORK}/build/consumer")
if(NOT out MATCHES "2020/01/01 09:00:00")
  message(FATAL_ERROR "consumer printed: ${out}")
endif()

file(GLOB_RECURSE plugin "${prefix}/*/libhorlogix-designer.so")
if(plugin)
  run(ldd ${plugin})
  if(NOT out MATCHES "libhorlogix\\.so\\.[0-9]+ => ${prefix}/")
    message(FATAL_ERROR "the Designer plugin does not find the library of its prefix:\n${out}")
  endif()
endif()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "Horlogix installed, found and used from ${prefix}")
