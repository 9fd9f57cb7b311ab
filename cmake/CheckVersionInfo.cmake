# Checks the version resource of Windows binaries with the program
# tests/version/version_info.cpp (under Wine in the cross build):
#
#   cmake -DCHECKER=<[emulator|...|]version_info.exe> -DVERSION=<x.y.z> -DCOMPANY=<text>
#         -DFILES=<file|file|...> -P CheckVersionInfo.cmake
#
# Each file must carry the fixed file and product versions x.y.z.0, the texts
# ProductVersion and FileVersion x.y.z, its own name as OriginalFilename and
# the company as CompanyName.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" checker "${CHECKER}")
string(REPLACE "|" ";" files "${FILES}")
execute_process(COMMAND ${checker} ${files} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" out "${out}")
string(STRIP "${out}" out)
string(REPLACE "\n" ";" lines "${out}")

if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION is not x.y.z: '${VERSION}'")
endif()
# The fixed versions as the program prints them: two 32-bit halves in hexadecimal.
set(halves)
foreach(pair "${CMAKE_MATCH_1};${CMAKE_MATCH_2}" "${CMAKE_MATCH_3};0")
  list(GET pair 0 high)
  list(GET pair 1 low)
  math(EXPR half "(${high} << 16) | ${low}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "00000000" half "${half}")
  string(LENGTH "${half}" length)
  math(EXPR start "${length} - 8")
  string(SUBSTRING "${half}" ${start} 8 half)
  string(TOLOWER "${half}" half)
  list(APPEND halves ${half})
endforeach()
list(JOIN halves "." fixed)

set(failed)
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME)
  set(expected "${file}: ${fixed} ${fixed} ProductVersion=${VERSION} FileVersion=${VERSION} OriginalFilename=${name} CompanyName=${COMPANY}")
  list(POP_FRONT lines got)
  if(NOT got STREQUAL expected)
    if(NOT DEFINED got)
      set(got "(no version information)")
    endif()
    string(APPEND failed "\n  expected: ${expected}\n  read:     ${got}")
  else()
    message(STATUS "${got}")
  endif()
endforeach()
if(failed OR NOT code EQUAL 0)
  message(FATAL_ERROR "version resources (checker exit code ${code}):${failed}\n${err}")
endif()
