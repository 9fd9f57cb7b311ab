# Runs one command line of the lufio program and checks what it did:
#
#   cmake -DCOMMAND=<program|arg|...> -DCODE=<exit code> [-DSTDOUT=<regex>] [-DSTDERR=<regex>]
#         [-DEMPTY_DIR=<folder>] [-DOUTPUT_FILE=<file>] [-DSAME_FILES=<file|file|...>] -P expect.cmake
#
# COMMAND is the program (after its emulator, if any) and its arguments, separated by '|'.
# STDOUT and STDERR must match what the program printed; EMPTY_DIR must hold nothing afterwards.
# OUTPUT_FILE takes standard output byte for byte instead of STDOUT; SAME_FILES are pairs of
# files that must hold the same bytes afterwards.
string(REPLACE "|" ";" command "${COMMAND}")
if(DEFINED OUTPUT_FILE)
  execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_FILE ${OUTPUT_FILE} ERROR_VARIABLE err)
else()
  execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
# Line ends as on Linux, whatever the program's platform.
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")
set(report "exit code ${code}\n--- standard output:\n${out}--- standard error:\n${err}")
if(NOT code STREQUAL CODE)
  message(FATAL_ERROR "expected exit code ${CODE}, got ${report}")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  message(FATAL_ERROR "standard output does not match '${STDOUT}': ${report}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "standard error does not match '${STDERR}': ${report}")
endif()
if(DEFINED EMPTY_DIR)
  file(GLOB left "${EMPTY_DIR}/*")
  if(left)
    message(FATAL_ERROR "left behind: ${left}")
  endif()
endif()
string(REPLACE "|" ";" same_files "${SAME_FILES}")
while(same_files)
  list(POP_FRONT same_files got expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${got} ${expected} RESULT_VARIABLE differ)
  if(differ)
    file(SIZE ${got} got_size)
    file(SIZE ${expected} expected_size)
    message(FATAL_ERROR "${got} (${got_size} bytes) differs from ${expected} (${expected_size} bytes): ${report}")
  endif()
endwhile()
