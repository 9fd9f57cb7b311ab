# Writes out the marked code blocks of a README, as written, so that a test
# runs them and they cannot drift from what the README says:
#
#   <!-- file: PATH -->   the next fenced block is written to OUT/PATH
#   <!-- run: NAME -->    the next fenced block is written to OUT/NAME.sh
#
#   cmake -DREADME=<README.md> -DOUT=<folder> [-DEXPECT=<name|name|...>] -P readme_blocks.cmake
#
# Fails when a marker has no block after it, or when a name in EXPECT (a run
# block's NAME or a file's PATH) is not marked.
cmake_minimum_required(VERSION 3.25)

file(READ ${README} text)
string(REPLACE ";" "@SEMICOLON@" text "${text}")
set(found)
while(TRUE)
  string(REGEX MATCH "<!-- (file|run): ([^ ]+) -->\n```[a-z]*\n" marker "${text}")
  if(NOT marker)
    break()
  endif()
  set(kind ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  string(FIND "${text}" "${marker}" start)
  string(LENGTH "${marker}" length)
  math(EXPR start "${start} + ${length}")
  string(SUBSTRING "${text}" ${start} -1 text)
  string(FIND "${text}" "\n```\n" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "${README}: the block of ${kind} ${name} does not end")
  endif()
  math(EXPR end "${end} + 1")
  string(SUBSTRING "${text}" 0 ${end} block)
  string(REPLACE "@SEMICOLON@" ";" block "${block}")
  if(kind STREQUAL "run")
    file(WRITE ${OUT}/${name}.sh "${block}")
  else()
    file(WRITE ${OUT}/${name} "${block}")
  endif()
  list(APPEND found ${name})
endwhile()

string(REPLACE "|" ";" expect "${EXPECT}")
foreach(name IN LISTS expect)
  if(NOT name IN_LIST found)
    message(FATAL_ERROR "${README} has no block marked ${name} (found: ${found})")
  endif()
endforeach()
