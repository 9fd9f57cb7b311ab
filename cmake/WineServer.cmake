# Starts or stops the Wine server of the prefix named in the environment:
#
#   cmake -DACTION=start|stop [-DPERSIST=<seconds>] -DWINE=<wine> -DWINESERVER=<wineserver> -P WineServer.cmake
#
# start: a persistent server (`wineserver -p`, or `-p<seconds>`: it ends by
# itself that long after its last program), then, when that server is new,
# `wine wineboot -i`, which creates or updates the prefix and starts Wine's
# helper processes; a failed wineboot is tried once more in an emptied
# prefix. A server already running is left as it is. All input and
# output go to the null device: a helper that inherited a pipe would hold it
# open after its program has ended, and whoever reads the pipe would wait.
# stop: `wineserver -k`; no server running is fine.
cmake_minimum_required(VERSION 3.25)

if(NOT ACTION MATCHES "^(start|stop)$" OR NOT WINE OR NOT WINESERVER)
  message(FATAL_ERROR "usage: cmake -DACTION=start|stop -DWINE=... -DWINESERVER=... -P WineServer.cmake")
endif()

if(CMAKE_HOST_WIN32)
  set(null NUL)
else()
  set(null /dev/null)
endif()

function(run)
  execute_process(COMMAND ${ARGN} INPUT_FILE ${null} OUTPUT_FILE ${null} ERROR_FILE ${null}
    RESULT_VARIABLE result)
  set(result ${result} PARENT_SCOPE)
endfunction()

if(ACTION STREQUAL "start")
  run(${WINESERVER} -p${PERSIST})
  if(result EQUAL 0)  # a new server
    run(${WINE} wineboot -i)
    if(NOT result EQUAL 0)
      # Seen once on a loaded machine: wineboot left a prefix without its
      # kernel32.dll. Start once more from an empty prefix.
      run(${WINESERVER} -k)
      file(REMOVE_RECURSE $ENV{WINEPREFIX})
      file(MAKE_DIRECTORY $ENV{WINEPREFIX})
      run(${WINESERVER} -p${PERSIST})
      run(${WINE} wineboot -i)
    endif()
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "wine wineboot -i failed (${result}) in the prefix $ENV{WINEPREFIX}")
    endif()
  elseif(NOT result EQUAL 2)  # 2: a server is running already
    message(FATAL_ERROR "wineserver -p failed (${result}) for the prefix $ENV{WINEPREFIX}")
  endif()
else()
  run(${WINESERVER} -k)
endif()
