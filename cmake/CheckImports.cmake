# Checks that a Windows DLL imports the functions it must, by reading its
# import table with objdump:
#
#   cmake -DDLL=<file.dll> -DOBJDUMP=<objdump> -DREQUIRED=<DLL:Function,...> -P CheckImports.cmake
#
# REQUIRED lists `DLLNAME:Function` entries separated by commas or semicolons
# (KERNEL32.dll:CreateFileA); DLL names compare without regard to case. Fails
# naming every entry that is missing.
cmake_minimum_required(VERSION 3.25)

if(NOT DLL OR NOT OBJDUMP OR NOT REQUIRED)
  message(FATAL_ERROR "usage: cmake -DDLL=... -DOBJDUMP=... -DREQUIRED=DLL:Function,... -P CheckImports.cmake")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed (${result})")
endif()

# objdump lists each imported DLL as "DLL Name: KERNEL32.dll", then one line
# per function: its address, its hint and its name.
set(imports)
set(current)
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: *([^ \t]+)")
    string(TOUPPER "${CMAKE_MATCH_1}" current)
  elseif(current AND line MATCHES "^[ \t]*[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+([^ \t]+)")
    list(APPEND imports "${current}:${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[ \t]*$")
    set(current)  # a blank line ends a DLL's entries
  endif()
endforeach()

string(REPLACE "," ";" required "${REQUIRED}")
set(missing)
foreach(entry IN LISTS required)
  if(NOT entry MATCHES "^([^:]+):(.+)$")
    message(FATAL_ERROR "not DLLNAME:Function: ${entry}")
  endif()
  string(TOUPPER "${CMAKE_MATCH_1}" dll_name)
  if(NOT "${dll_name}:${CMAKE_MATCH_2}" IN_LIST imports)
    list(APPEND missing "${entry}")
  endif()
endforeach()

if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "${DLL} does not import:\n  ${text}")
endif()
list(LENGTH required count)
message(STATUS "${DLL} imports all ${count} required functions")
