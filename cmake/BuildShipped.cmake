# lufio_build_shipped(<extra configure options>...): configures and builds lufio
# as it ships (tests, program and examples off, so without the fault seam;
# Release) from SOURCE into BINARY with GENERATOR, and COMPILER or TOOLCHAIN;
# for the scripts that check what ships (CheckExports.cmake, CheckAbi.cmake).
function(lufio_build_shipped)
  set(options -DLUFIO_TESTS=OFF -DLUFIO_TOOLS=OFF -DLUFIO_EXAMPLES=OFF -DLUFIO_INSTALL=OFF -DLUFIO_BENCHMARKS=OFF
    -DCMAKE_BUILD_TYPE=Release ${ARGN})
  if(TOOLCHAIN)
    list(APPEND options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
  else()
    list(APPEND options -DCMAKE_CXX_COMPILER=${COMPILER})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -G ${GENERATOR} ${options}
    RESULT_VARIABLE result OUTPUT_QUIET)
  if(result EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} --target lufio -j2 RESULT_VARIABLE result OUTPUT_QUIET)
  endif()
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the build as shipped failed (${result})")
  endif()
endfunction()
