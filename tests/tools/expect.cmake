# Runs one command line of the lufio program and checks what it did:
#
#   cmake -DCOMMAND=<program|arg|...> -DCODE=<exit code> [-DSTDOUT=<regex>] [-DSTDERR=<regex>]
#         [-DEMPTY_DIR=<folder>] [-DDIR_HOLDS=<folder|name|...>] [-DOUTPUT_FILE=<file>]
#         [-DSAME_FILES=<file|file|...>] [-DMOUNT=<folder>] [-DBEFORE=<command>] [-DINPUT=<command>]
#         [-DAFTER=<command>] -P expect.cmake
#
# COMMAND is the program (after its emulator, if any) and its arguments, separated by '|'.
# STDOUT and STDERR must match what the program printed; EMPTY_DIR must hold nothing afterwards,
# DIR_HOLDS's folder exactly the names after it (hidden ones included). OUTPUT_FILE takes standard
# output byte for byte instead of STDOUT; SAME_FILES are pairs of files that must hold the same
# bytes afterwards.
#
# MOUNT gets a 64 KiB tmpfs for the time of the command (Linux; the test prints "skipped" and
# passes no judgement when the system refuses the mount). BEFORE runs first (after the mount),
# AFTER last, and each must succeed: one or more commands of the build machine, '|'-separated like
# COMMAND, one from the next by a '&&' element. INPUT is one such command that runs beside the
# program with its standard output piped into the program's standard input.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" command "${COMMAND}")

# Runs each '&&'-separated command of the '|'-separated `commands`; fails at the first failure.
function(run_steps what commands)
  string(REPLACE "|" ";" words "${commands}")
  list(APPEND words "&&")
  set(step)
  foreach(word IN LISTS words)
    if(NOT word STREQUAL "&&")
      list(APPEND step "${word}")
      continue()
    endif()
    execute_process(COMMAND ${step} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(failed)
      message(FATAL_ERROR "${what} '${step}' failed (${failed}): ${out}")
    endif()
    set(step)
  endforeach()
endfunction()

if(DEFINED MOUNT)
  execute_process(COMMAND mount -t tmpfs -o size=64k lufio-test ${MOUNT} RESULT_VARIABLE refused ERROR_VARIABLE why)
  if(refused)
    message("skipped: cannot mount a tmpfs on ${MOUNT}: ${why}")
    return()
  endif()
endif()
if(DEFINED BEFORE)
  run_steps("before the program," "${BEFORE}")
endif()

set(pipeline)
if(DEFINED INPUT)
  string(REPLACE "|" ";" input "${INPUT}")
  set(pipeline COMMAND ${input})
endif()
if(DEFINED OUTPUT_FILE)
  execute_process(${pipeline} COMMAND ${command} RESULT_VARIABLE code OUTPUT_FILE ${OUTPUT_FILE} ERROR_VARIABLE err)
else()
  execute_process(${pipeline} COMMAND ${command} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
# Line ends as on Linux, whatever the program's platform.
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")
set(report "exit code ${code}\n--- standard output:\n${out}--- standard error:\n${err}")

# What the command left, before the mount goes.
if(DEFINED DIR_HOLDS)
  string(REPLACE "|" ";" names "${DIR_HOLDS}")
  list(POP_FRONT names folder)
  file(GLOB held RELATIVE ${folder} "${folder}/*")
  list(SORT held)
  list(SORT names)
  if(NOT "${held}" STREQUAL "${names}")
    set(held_files "${held}")
  endif()
endif()
string(REPLACE "|" ";" same_files "${SAME_FILES}")
set(differences)
while(same_files)
  list(POP_FRONT same_files got expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${got} ${expected} RESULT_VARIABLE differ)
  if(differ)
    file(SIZE ${got} got_size)
    file(SIZE ${expected} expected_size)
    string(APPEND differences "${got} (${got_size} bytes) differs from ${expected} (${expected_size} bytes)\n")
  endif()
endwhile()
if(DEFINED MOUNT)
  execute_process(COMMAND umount ${MOUNT})
endif()

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
if(DEFINED held_files)
  message(FATAL_ERROR "${folder} holds '${held_files}', not '${names}': ${report}")
endif()
if(differences)
  message(FATAL_ERROR "${differences}${report}")
endif()
if(DEFINED AFTER)
  run_steps("after the program," "${AFTER}")
endif()
