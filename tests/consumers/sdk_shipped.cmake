# The unpacked SDK zip holds the library as shipped: no DLL or program in bin/
# carries debug sections, liblufio.dll exports nothing of lufio::sys, and its
# CHANGELOG.md has an entry for this version and the API reference is there.
#
#   cmake -DSDK=<unpacked zip> -DOBJDUMP=<x86_64-w64-mingw32-objdump> -DVERSION=<x.y.z> -P sdk_shipped.cmake
file(GLOB modules ${SDK}/bin/*.dll ${SDK}/bin/*.exe)
if(NOT modules)
  message(FATAL_ERROR "no DLL or program in ${SDK}/bin")
endif()
set(unstripped)
foreach(module IN LISTS modules)
  execute_process(COMMAND ${OBJDUMP} -h ${module} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
  file(SIZE ${module} size)
  get_filename_component(name ${module} NAME)
  message(STATUS "${name}: ${size} bytes")
  if(headers MATCHES "\\.debug_")
    list(APPEND unstripped ${name})
  endif()
endforeach()
if(unstripped)
  message(FATAL_ERROR "debug sections in: ${unstripped}")
endif()

file(STRINGS ${SDK}/share/doc/lufio/CHANGELOG.md entry REGEX "^## \\[${VERSION}\\] - ")
if(NOT entry)
  message(FATAL_ERROR "no \"## [${VERSION}] - DATE\" entry in the zip's share/doc/lufio/CHANGELOG.md")
endif()
if(NOT EXISTS ${SDK}/share/doc/lufio/html/index.html)
  message(FATAL_ERROR "no API reference: ${SDK}/share/doc/lufio/html/index.html")
endif()

set(LIBRARY ${SDK}/bin/liblufio.dll)
set(TOOL ${OBJDUMP})
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/CheckExports.cmake)
