# Holds the binary interface of lufio's two libraries against the baseline
# committed in abi/ (README, "Releasing"):
#
#   cmake -DSOURCE=<tree> -DBINARY=<dir> -DGENERATOR=<gen> [-DCOMPILER=<c++>] [-DTOOLCHAIN=<file>]
#         [-DUPDATE=ON] -P CheckAbi.cmake
#   cmake -DSOURCE=<tree> -DBINARY=<dir> -DLIBRARY_DIR=<dir> -P CheckAbi.cmake
#
# The first form builds lufio as it ships (tests, program and examples off, so
# without the fault seam; Release) in BINARY; an ELF build also gets debug
# information, with paths relative to the tree, for abidw to read. The second
# takes the DLLs already built in LIBRARY_DIR (the SDK zip's bin/) and only
# writes into BINARY. Then, for
# liblufio and liblusys:
#
# - an ELF library is described by abidw (abi/liblufio.abi) and compared by
#   abidiff: a removed or changed function or variable fails (abidiff's
#   incompatible-change bit, or a Removed or Changed count in its summary, as a
#   changed type shows up in the functions that use it); additions pass;
# - a DLL is described by its sorted export names (abi/liblufio.dll.exports,
#   from objdump -p): a removed name fails, added names pass.
#
# Either way the difference is printed. UPDATE=ON writes the descriptions into
# abi/ as the new baseline instead of comparing.
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE BINARY)
  if(NOT ${var})
    message(FATAL_ERROR "CheckAbi.cmake: ${var} is not set")
  endif()
endforeach()

if(NOT LIBRARY_DIR)
  set(LIBRARY_DIR ${BINARY})
  set(debug_info)
  if(NOT TOOLCHAIN)
    set(debug_info "-DCMAKE_CXX_FLAGS=-g -ffile-prefix-map=${SOURCE}/=")
  endif()
  include(${CMAKE_CURRENT_LIST_DIR}/BuildShipped.cmake)
  lufio_build_shipped(${debug_info})
endif()
set(current ${BINARY}/abi-current)
file(MAKE_DIRECTORY ${current})

# describe(library out): writes the description of `library` to `out`.
function(describe library out)
  if(library MATCHES "\\.dll$")
    find_program(OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump REQUIRED)
    execute_process(COMMAND ${OBJDUMP} -p ${library} OUTPUT_VARIABLE table COMMAND_ERROR_IS_FATAL ANY)
    # The export table: "[Ordinal/Name Pointer] Table", then "\t[   0] name" lines.
    string(FIND "${table}" "[Ordinal/Name Pointer] Table" start)
    if(start EQUAL -1)
      message(FATAL_ERROR "no export table in ${library}")
    endif()
    string(SUBSTRING "${table}" ${start} -1 table)
    string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" names "${table}")
    list(TRANSFORM names REPLACE "^\n\t\\[ *[0-9]+\\] " "")
    list(SORT names)
    list(JOIN names "\n" names)
    file(WRITE ${out} "${names}\n")
  else()
    find_program(ABIDW abidw REQUIRED)
    execute_process(COMMAND ${ABIDW} --no-corpus-path --no-comp-dir-path --no-show-locs --exported-interfaces-only
      --drop-private-types --headers-dir ${SOURCE}/include --headers-dir ${SOURCE}/lusys/include
      --out-file ${out} ${library} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endfunction()

set(failed)
foreach(name liblufio liblusys)
  file(GLOB_RECURSE library ${LIBRARY_DIR}/${name}.so ${LIBRARY_DIR}/${name}.dll)
  if(NOT library)
    message(FATAL_ERROR "no ${name}.so or ${name}.dll in ${LIBRARY_DIR}")
  endif()
  if(library MATCHES "\\.dll$")
    set(file ${name}.dll.exports)
  else()
    set(file ${name}.abi)
  endif()
  describe(${library} ${current}/${file})
  set(baseline ${SOURCE}/abi/${file})
  if(UPDATE)
    file(COPY_FILE ${current}/${file} ${baseline})
    message(STATUS "baseline written: abi/${file}")
    continue()
  endif()
  if(NOT EXISTS ${baseline})
    message(FATAL_ERROR "no baseline abi/${file}: make it with scripts/abi-baseline.sh")
  endif()

  if(file MATCHES "\\.exports$")
    file(STRINGS ${baseline} before)
    file(STRINGS ${current}/${file} after)
    set(removed ${before})
    list(REMOVE_ITEM removed ${after})
    set(added ${after})
    list(REMOVE_ITEM added ${before})
    list(TRANSFORM removed PREPEND "-")
    list(TRANSFORM added PREPEND "+")
    set(lines ${removed} ${added})
    set(report)
    if(lines)
      # Each name with its C++ spelling beside it.
      list(JOIN lines "\n" mangled)
      find_program(CXXFILT NAMES c++filt x86_64-w64-mingw32-c++filt)
      if(CXXFILT)
        execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${mangled}" COMMAND ${CXXFILT} OUTPUT_VARIABLE demangled)
        string(REPLACE "\n" ";" demangled "${demangled}")
      endif()
      foreach(line IN LISTS lines)
        list(POP_FRONT demangled cxx)
        string(APPEND report "${line}\n")
        if(cxx AND NOT cxx STREQUAL line)
          string(APPEND report "    ${cxx}\n")
        endif()
      endforeach()
    endif()
    string(STRIP "${report}" report)
    set(incompatible ${removed})
  else()
    find_program(ABIDIFF abidiff REQUIRED)
    execute_process(COMMAND ${ABIDIFF} ${baseline} ${current}/${file} RESULT_VARIABLE status OUTPUT_VARIABLE report
      ERROR_VARIABLE report)
    string(STRIP "${report}" report)
    # The exit status is a bit field: 1 error, 2 usage error, 4 a change, 8 an incompatible change.
    if(NOT status MATCHES "^[0-9]+$")
      message(FATAL_ERROR "abidiff failed: ${status}\n${report}")
    endif()
    math(EXPR errors "${status} & 3")
    math(EXPR incompatible "${status} & 8")
    if(errors)
      message(FATAL_ERROR "abidiff could not compare abi/${file} (exit status ${status}):\n${report}")
    endif()
    if(report MATCHES "(^|[ \n])[1-9][0-9]* (Removed|Changed)")
      set(incompatible 1)
    endif()
  endif()

  if(incompatible)
    list(APPEND failed ${file})
    message("${name}: INCOMPATIBLE with the baseline abi/${file}:\n${report}\n")
  elseif(report)
    message("${name}: compatible additions to the baseline abi/${file}:\n${report}\n")
  else()
    message(STATUS "${name}: the same interface as abi/${file}")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "the interface changed incompatibly (${failed}): undo the change, or make it in a new "
    "major version and write a new baseline (README, \"Releasing\")")
endif()
