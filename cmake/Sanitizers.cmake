# ZEMVARA_SANITIZE: every target built with AddressSanitizer and UndefinedBehaviorSanitizer
# (scripts/test --sanitize). ZEMVARA_FUZZ: the same with clang's fuzzing instrumentation, and
# the libFuzzer programs of fuzz/ (scripts/fuzz). The flags go into the CMAKE_*_FLAGS, so that
# a project built from a test (the Horlogix package test) can be given the same.
option(ZEMVARA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZEMVARA_FUZZ "Build the libFuzzer targets (clang only); implies the sanitizers" OFF)

if(ZEMVARA_SANITIZE OR ZEMVARA_FUZZ)
  # Undefined behaviour stops the program, so a test or a fuzz run cannot pass over it.
  set(_zemvara_sanitize "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer")
  string(APPEND CMAKE_CXX_FLAGS " ${_zemvara_sanitize}")
  foreach(_kind EXE SHARED MODULE)
    string(APPEND CMAKE_${_kind}_LINKER_FLAGS " -fsanitize=address,undefined")
  endforeach()
endif()

if(ZEMVARA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZEMVARA_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++); scripts/fuzz sets it up")
  endif()
  string(APPEND CMAKE_CXX_FLAGS " -fsanitize=fuzzer-no-link")
endif()
