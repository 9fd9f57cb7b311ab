# Running the cross-built Windows programs under Wine, for the tests and for
# GoogleTest's test discovery alike.
#
# Every program runs through one command line, LUFIO_WINE_ENV followed by wine:
# a Wine prefix of this build's own (created on first use), 64-bit, silent,
# without the .NET and HTML helpers and without a display. It becomes the
# cross-compiling emulator, so CTest and gtest_discover_tests use it by
# themselves; include this file before the targets that run under it.
find_program(LUFIO_WINESERVER NAMES wineserver wineserver64 REQUIRED)

# Wine's loader without its preloader: the heap it gets at a random address
# now and then covers the shared user data page that Wine maps at a fixed one,
# and that start fails silently with exit code 1 (Debian only suggests the
# package wine64-preloader).
find_program(LUFIO_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(LUFIO_WINE64)
  get_filename_component(wine_dir ${LUFIO_WINE64} DIRECTORY)
  if(NOT EXISTS ${wine_dir}/wine64-preloader)
    message(WARNING "${wine_dir}/wine64-preloader is missing: about one Wine start in several thousand "
      "will fail (install wine64-preloader)")
  endif()
endif()

set(LUFIO_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
file(MAKE_DIRECTORY ${LUFIO_WINE_PREFIX})
set(LUFIO_WINE_ENV
  ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
  WINEPREFIX=${LUFIO_WINE_PREFIX} WINEARCH=win64 WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=" --
)
set(LUFIO_WINE ${CMAKE_CROSSCOMPILING_EMULATOR})
set(CMAKE_CROSSCOMPILING_EMULATOR ${LUFIO_WINE_ENV} ${LUFIO_WINE})

# lufio_add_wine_fixture(name): the CTest fixture `name`, whose setup test
# starts a persistent Wine server and boots the prefix, and whose cleanup test
# stops the server. Tests that run under Wine require it (FIXTURES_REQUIRED).
#
# GoogleTest's PRE_TEST discovery runs the test programs when CTest reads its
# test files, before any test, fixtures included. So the server is also
# started (when it is not running yet) by a CTest include file, read before
# the discovery files: call this before gtest_discover_tests in the directory.
# Nothing may stop that server (`ctest -N` runs no cleanup), so it ends by
# itself a minute after its last program.
function(lufio_add_wine_fixture name)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WineServer.cmake)
  set(command ${LUFIO_WINE_ENV} ${CMAKE_COMMAND} -DWINE=${LUFIO_WINE} -DWINESERVER=${LUFIO_WINESERVER})
  add_test(NAME ${name}_start COMMAND ${command} -DACTION=start -P ${script})
  add_test(NAME ${name}_stop COMMAND ${command} -DACTION=stop -P ${script})
  set_tests_properties(${name}_start PROPERTIES FIXTURES_SETUP ${name} TIMEOUT 120)
  set_tests_properties(${name}_stop PROPERTIES FIXTURES_CLEANUP ${name} TIMEOUT 60)

  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_start_include.cmake)
  set(args)
  foreach(arg IN LISTS command ITEMS -DACTION=start -DPERSIST=60 -P ${script})
    string(APPEND args " [==[${arg}]==]")
  endforeach()
  file(WRITE ${include_file}
    "# Starts the Wine server before the test programs are run to list their tests.\n"
    "execute_process(COMMAND${args} RESULT_VARIABLE result)\n"
    "if(NOT result EQUAL 0)\n"
    "  message(WARNING \"Wine could not be started (${name}_start: \${result})\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
