# Builds lufio as it ships (tests, tools and examples off, so without the
# fault seam) and fails when its export table names anything in lufio::sys:
#
#   cmake -DSOURCE=<tree> -DBINARY=<dir> -DGENERATOR=<gen> -DCOMPILER=<c++> [-DTOOLCHAIN=<file>]
#         -DTOOL=<nm or objdump> -P CheckExports.cmake
#
# or checks a library already built (the one in the SDK zip):
#
#   cmake -DLIBRARY=<liblufio.dll or lufio.dll> -DTOOL=<objdump or dumpbin> -P CheckExports.cmake
#
# On ELF the table is `nm -D --defined-only`; on a DLL, `objdump -p` or, for
# MSVC's, `dumpbin /exports`. Names are compared mangled (lufio::sys is
# "N5lufio3sys", under MSVC "@sys@lufio@@"); the table must hold the public
# classes, so an empty or unreadable table fails too.
cmake_minimum_required(VERSION 3.25)

if(LIBRARY)
  set(library ${LIBRARY})
else()
  foreach(var SOURCE BINARY GENERATOR COMPILER TOOL)
    if(NOT ${var})
      message(FATAL_ERROR "CheckExports.cmake: ${var} is not set")
    endif()
  endforeach()

  include(${CMAKE_CURRENT_LIST_DIR}/BuildShipped.cmake)
  lufio_build_shipped()

  file(GLOB_RECURSE libraries ${BINARY}/liblufio.so ${BINARY}/liblufio.dll)
  list(GET libraries 0 library)
endif()
# Itanium names (g++, clang++) spell lufio::FileIOBase "N5lufio10FileIOBase";
# MSVC's spell it "FileIOBase@lufio@@", and lufio::sys "@sys@lufio@@".
set(public "N5lufio10FileIOBase")
set(internal_pattern "N5lufio3sys")
if(TOOL MATCHES "objdump")
  execute_process(COMMAND ${TOOL} -p ${library} OUTPUT_VARIABLE table RESULT_VARIABLE result)
elseif(TOOL MATCHES "dumpbin")
  execute_process(COMMAND ${TOOL} /exports ${library} OUTPUT_VARIABLE table RESULT_VARIABLE result)
  set(public "FileIOBase@lufio@@")
  set(internal_pattern "@sys@lufio@@")
else()
  execute_process(COMMAND ${TOOL} -D --defined-only ${library} OUTPUT_VARIABLE table RESULT_VARIABLE result)
endif()
if(NOT result EQUAL 0 OR NOT table MATCHES "${public}")
  message(FATAL_ERROR "no export table with lufio's classes in ${library} (${result})")
endif()
string(REGEX MATCHALL "[^ \t\n]*${internal_pattern}[^ \t\n]*" internal "${table}")
if(internal)
  list(REMOVE_DUPLICATES internal)
  list(JOIN internal "\n  " internal)
  message(FATAL_ERROR "${library} exports lufio::sys symbols:\n  ${internal}")
endif()
message(STATUS "${library}: no lufio::sys symbol exported")
