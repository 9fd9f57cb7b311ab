# A Debug and a Release build of lufio installed side by side into one
# prefix, and a program built against that prefix in Debug, Release and
# RelWithDebInfo: each build imports the library of its own kind (lufiod in
# Debug, lufio in the others: under MSVC the two use different C++ runtimes)
# and runs with it.
#
#   cmake -DPREFIX=<prefix> -DBINARY=<work dir> -DGENERATOR=<multi-config generator>
#         -DTOOL=<objdump or dumpbin> [-DSOURCE=<lufio's tree>] [-DPLATFORM=<-A value>]
#         [-DCOMPILER=<c++> | -DTOOLCHAIN=<file>] [-DRUN=<emulator, |-separated>]
#         -P debug_release.cmake
#
# With SOURCE, lufio is first configured as README's recipe does (tests and
# examples off), built and installed with its program in Debug and in Release
# into PREFIX, which then holds both programs (lufiod in Debug), each running.
# The program is tests/consumers/find_package, whose Windows build copies the
# DLLs its build imports beside itself and so runs from its own folder.
cmake_minimum_required(VERSION 3.25)

foreach(var PREFIX BINARY GENERATOR TOOL)
  if(NOT ${var})
    message(FATAL_ERROR "debug_release.cmake: ${var} is not set")
  endif()
endforeach()

foreach(var PREFIX BINARY SOURCE)
  if(${var})
    get_filename_component(${var} ${${var}} ABSOLUTE)
  endif()
endforeach()
set(options -G ${GENERATOR})
if(PLATFORM)
  list(APPEND options -A ${PLATFORM})
endif()
if(TOOLCHAIN)
  list(APPEND options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
elseif(COMPILER)
  list(APPEND options -DCMAKE_CXX_COMPILER=${COMPILER})
endif()
string(REPLACE "|" ";" run "${RUN}")

# run(step command...): runs the command; fails with its output when it fails.
function(run step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${step} failed (${result}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${BINARY})
if(SOURCE)
  file(REMOVE_RECURSE ${PREFIX})
  run("configuring lufio" ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY}/lufio ${options}
    -DLUFIO_TESTS=OFF -DLUFIO_TOOLS=ON -DLUFIO_EXAMPLES=OFF)
  set(postfix_Debug d)
  foreach(config Debug Release)
    run("building lufio ${config}" ${CMAKE_COMMAND} --build ${BINARY}/lufio --config ${config} -j2)
    run("installing lufio ${config}" ${CMAKE_COMMAND} --install ${BINARY}/lufio --config ${config} --prefix ${PREFIX})
    # lufio.pc names the libraries installed last.
    file(GLOB pc ${PREFIX}/*/pkgconfig/lufio.pc)
    file(STRINGS "${pc}" libs REGEX "^Libs:")
    if(NOT libs MATCHES " -llufio${postfix_${config}} -llusys${postfix_${config}}$")
      message(FATAL_ERROR "lufio.pc after the ${config} install: ${libs}")
    endif()
  endforeach()
  foreach(name lufio lufiod)
    file(GLOB program ${PREFIX}/bin/${name} ${PREFIX}/bin/${name}.exe)
    if(NOT program)
      message(FATAL_ERROR "no program ${name} in ${PREFIX}/bin after the Debug and the Release install")
    endif()
    run("running the installed ${name}" ${run} ${program} --version)
    if(NOT output MATCHES "^lufio [0-9]+\\.[0-9]+\\.[0-9]+\r?\n$")
      message(FATAL_ERROR "${name} --version printed: ${output}")
    endif()
  endforeach()
endif()

set(program ${BINARY}/program)
run("configuring the program" ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/find_package -B ${program} ${options}
  -DCMAKE_PREFIX_PATH=${PREFIX})
foreach(config Debug Release RelWithDebInfo)
  run("building the ${config} program" ${CMAKE_COMMAND} --build ${program} --config ${config})
  file(GLOB exe ${program}/${config}/app ${program}/${config}/app.exe)
  if(NOT exe)
    message(FATAL_ERROR "no ${config} program in ${program}/${config}")
  endif()

  # The libraries it imports: lufiod and lusysd in Debug, lufio and lusys otherwise.
  if(TOOL MATCHES "dumpbin")
    run("reading the ${config} program's imports" ${TOOL} /dependents ${exe})
  else()
    run("reading the ${config} program's imports" ${TOOL} -p ${exe})
  endif()
  string(TOLOWER "${output}" output)
  string(REGEX MATCHALL "lu(fio|sys)d?\\.(dll|so)" imported "${output}")
  list(REMOVE_DUPLICATES imported)
  if(config STREQUAL "Debug")
    set(expected "lufiod\\.")
    set(allowed "^lu(fio|sys)d\\.")
  else()
    set(expected "lufio\\.")
    set(allowed "^lu(fio|sys)\\.")
  endif()
  set(others ${imported})
  list(FILTER others EXCLUDE REGEX "${allowed}")
  if(NOT imported MATCHES "${expected}" OR others)
    message(FATAL_ERROR "the ${config} program imports ${imported}")
  endif()

  # It runs from its own folder, where the Windows build copied its DLLs.
  file(REMOVE ${program}/copy.txt)
  run("running the ${config} program" ${run} ${exe} stdio ${CMAKE_CURRENT_LIST_DIR}/../../examples/sample.txt
    ${program}/copy.txt)
  if(NOT output MATCHES "copied 334 bytes")
    message(FATAL_ERROR "the ${config} program printed:\n${output}")
  endif()
  message(STATUS "${config}: imports ${imported}, runs")
endforeach()
