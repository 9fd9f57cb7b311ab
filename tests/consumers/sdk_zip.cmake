# The Windows SDK zip as a programmer receives it: README's command
# (`cmake --workflow --preset windows-sdk`, a Release and a Debug build of what
# ships and nothing else) makes it from this source tree, and it is unpacked
# into an empty folder. Its Release DLLs and programs carry no debug sections,
# its Debug DLLs do, liblufio.dll exports nothing of lufio::sys, and every DLL
# and program has its licence texts (sdk_shipped.cmake). Then the commands of
# the zip's own README.md, taken from its marked blocks as written
# (readme_blocks.cmake), run against what is in the zip alone: the CMake
# project in Release and in Debug (whose program must import and run the Debug
# DLLs), the one command line, and the examples/ folder. Each program runs
# under Wine from its own folder, nothing else pointing Wine at the zip. The
# consumers are built by mingw-w64 g++ whichever compiler built the DLLs: the
# windows-clang build checks the zip its own compiler makes
# (windows-clang-sdk), so both compilers' modules work together.
# LUFIO_SDK_PRESET names the SDK preset; the Windows presets set it.
if(NOT LUFIO_SDK_PRESET)
  message(STATUS "LUFIO_SDK_PRESET is not set: the SDK zip is not checked")
  return()
endif()
set(zip lufio-${PROJECT_VERSION}-win64)
set(package ${PROJECT_SOURCE_DIR}/build/${LUFIO_SDK_PRESET}/${zip}.zip)  # the presets' binaryDir
set(sdk ${work}/unpacked/${zip})
set(source ${CMAKE_CURRENT_SOURCE_DIR}/utf8_name.cpp)
set(name "Grüße-Ελλάδα-Отчёт-日本語-😀.txt")  # the name utf8_name.cpp writes
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " wine)

# The preset's build takes CMAKE_BUILD_PARALLEL_LEVEL jobs, 2 unless set.
add_test(NAME consumer.zip COMMAND sh -c "rm -rf '${work}' && mkdir -p '${work}/unpacked' \
&& CMAKE_BUILD_PARALLEL_LEVEL=\${CMAKE_BUILD_PARALLEL_LEVEL:-2} '${CMAKE_COMMAND}' --workflow --preset ${LUFIO_SDK_PRESET} --fresh \
&& cd '${work}/unpacked' && '${CMAKE_COMMAND}' -E tar xf '${package}'")
set_tests_properties(consumer.zip PROPERTIES FIXTURES_SETUP lufio_zip LABELS consumer TIMEOUT 1500
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})

# What ships, checked before the consumers add their programs to bin/.
add_test(NAME consumer.zip_shipped COMMAND ${CMAKE_COMMAND} -DSDK=${sdk} -DOBJDUMP=${CMAKE_OBJDUMP}
  -DVERSION=${PROJECT_VERSION} -DPOSTFIX=${LUFIO_DEBUG_POSTFIX} -P ${CMAKE_CURRENT_SOURCE_DIR}/sdk_shipped.cmake)
set_tests_properties(consumer.zip_shipped PROPERTIES FIXTURES_REQUIRED lufio_zip LABELS consumer)

# The zip's DLLs and program carry the project's version (tests/CMakeLists.txt
# builds the checker). The export lists of its DLLs hold against the baseline
# in abi/; that baseline is g++'s, whose DLLs also export the type information
# and complete-object constructors that clang++ leaves out.
if(LUFIO_VERSION_INFO_CHECKER)
  add_test(NAME consumer.zip_version COMMAND ${CMAKE_COMMAND} "-DCHECKER=${LUFIO_VERSION_INFO_CHECKER}"
    -DVERSION=${PROJECT_VERSION} "-DCOMPANY=${LUFIO_COMPANY}" "-DFILES=${sdk}/bin/liblufio.dll|${sdk}/bin/liblusys.dll|${sdk}/bin/lufio.exe|${sdk}/bin/liblufiod.dll|${sdk}/bin/lufiod.exe"
    -P ${PROJECT_SOURCE_DIR}/cmake/CheckVersionInfo.cmake)
  set_tests_properties(consumer.zip_version PROPERTIES FIXTURES_REQUIRED "wine;lufio_zip" LABELS consumer)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_test(NAME consumer.zip_exports COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}
    -DBINARY=${work}/exports -DLIBRARY_DIR=${sdk}/bin -DOBJDUMP=${CMAKE_OBJDUMP} -P ${PROJECT_SOURCE_DIR}/cmake/CheckAbi.cmake)
  set_tests_properties(consumer.zip_exports PROPERTIES FIXTURES_REQUIRED lufio_zip LABELS "consumer;abi")
endif()

# The zip's README blocks, written out once for the consumers below.
set(readme ${work}/readme)
add_test(NAME consumer.zip_readme COMMAND ${CMAKE_COMMAND} -DREADME=${sdk}/README.md -DOUT=${readme}
  "-DEXPECT=app/CMakeLists.txt|cmake-release|cmake-debug|command-line|command-line-debug|examples"
  -P ${CMAKE_CURRENT_SOURCE_DIR}/readme_blocks.cmake)
set_tests_properties(consumer.zip_readme PROPERTIES FIXTURES_REQUIRED lufio_zip FIXTURES_SETUP lufio_zip_readme
  LABELS consumer)

# The program every consumer builds as its app.cpp writes, reads back and lists
# a file named in several scripts. With the embedded manifest that name is on
# the host as its UTF-8 text; without it the name is in the ANSI code page
# (the program still reads back what it wrote), which only a zip with the
# manifest can show.
if(EXISTS ${PROJECT_SOURCE_DIR}/cmake/windows/lufio-manifest.rc)
  set(on_host "test -f 'names/${name}'")
else()
  message(STATUS "No application manifest: the SDK zip consumers do not check names on the host")
  set(on_host "true")
endif()

# lufio_zip_consumer(name exe imports prepare...): in an empty folder
# ${work}/name holding app.cpp, runs the shell commands `prepare`, then README's
# block `name` with SDK set to the unpacked zip, which makes the program exe (a
# path from that folder); checks that of lufio's DLLs exe imports exactly
# `imports` (objdump's sorted "DLL Name: ..." lines, each followed by a space)
# and runs it there under Wine, with no WINEPATH.
function(lufio_zip_consumer name exe imports)
  add_test(NAME consumer.zip_${name} COMMAND sh -c "rm -rf '${work}/${name}' && mkdir -p '${work}/${name}/names' \
&& cd '${work}/${name}' && cp '${source}' app.cpp && ${ARGN} \
&& SDK='${sdk}' sh -ex '${readme}/${name}.sh' \
&& test \"$('${CMAKE_OBJDUMP}' -p '${exe}' | grep -o 'DLL Name: liblu.*' | tr -d '\\r' | sort | tr '\\n' ' ')\" = '${imports}' \
&& env -u WINEPATH ${wine} '${exe}' names && ${on_host}")
  set_tests_properties(consumer.zip_${name} PROPERTIES FIXTURES_REQUIRED "wine;lufio_zip;lufio_zip_readme"
    LABELS consumer TIMEOUT 300 DEPENDS consumer.zip_shipped)
endfunction()

# The CMake project, its CMakeLists.txt as README has it (with the post-build
# copy that the developer README shows too). Release imports the Release DLLs;
# Debug, with nothing changed, the Debug ones, which its copy step put beside it.
set(copy_line "grep -m1 -o 'COMMAND .*TARGET_RUNTIME_DLLS:app.*' '${PROJECT_SOURCE_DIR}/README.md'")
set(app_folder "mkdir app && cp app.cpp '${readme}/app/CMakeLists.txt' app/ \
&& copy=$(${copy_line}) && test -n \"$copy\" && grep -qF \"$copy\" app/CMakeLists.txt")
lufio_zip_consumer(cmake-release build/app.exe "DLL Name: liblufio.dll DLL Name: liblusys.dll " ${app_folder})
lufio_zip_consumer(cmake-debug build-debug/app.exe "DLL Name: liblufiod.dll DLL Name: liblusysd.dll " ${app_folder})
# What README tells a debugger user: the Debug DLL copied beside the program
# carries lufio's source lines (the build machine's gdb reads them from a PE
# as mingw-w64's does).
find_program(LUFIO_GDB gdb)
if(LUFIO_GDB)
  add_test(NAME consumer.zip_debug_symbols COMMAND sh -c "'${LUFIO_GDB}' -batch -ex 'info line lufio::FileR::FileR' \
'${work}/cmake-debug/build-debug/liblufiod.dll' | grep -q 'of \"[^\"]*/src/files/access_classes\\.cpp\" starts at address'")
  set_tests_properties(consumer.zip_debug_symbols PROPERTIES DEPENDS consumer.zip_cmake-debug LABELS consumer
    FIXTURES_REQUIRED lufio_zip)
endif()
# The command line makes app.exe where it runs and copies the DLLs there.
lufio_zip_consumer(command-line app.exe "DLL Name: liblufio.dll DLL Name: liblusys.dll " true)
lufio_zip_consumer(command-line-debug app.exe "DLL Name: liblufiod.dll DLL Name: liblusysd.dll "
  "SDK='${sdk}' sh -ex '${readme}/command-line.sh'")

# examples/ built as README says, each program run from the build folder.
add_test(NAME consumer.zip_examples COMMAND sh -c "rm -rf '${work}/examples' && mkdir -p '${work}/examples' \
&& cd '${work}/examples' && SDK='${sdk}' sh -ex '${readme}/examples.sh' && cd build-examples && mkdir -p tree/sub \
&& run() { env -u WINEPATH ${wine} \"$@\"; } \
&& run ./read_lines.exe '${sdk}/examples/sample.txt' | grep -q 'A line longer than the buffer' \
&& run ./copy_file.exe crt '${sdk}/examples/sample.txt' copy.txt | grep -q 'copied 334 bytes' \
&& cmp copy.txt '${sdk}/examples/sample.txt' \
&& run ./save_file.exe saved.txt 'a whole line' && test \"$(cat saved.txt)\" = 'a whole line' \
&& run ./list_subdirs.exe tree | tr -d '\\r' | grep -qx sub \
&& { run ./show_error.exe missing.txt > error.txt; test $? = 1; } && tr -d '\\r' < error.txt | grep -q '^code: *2$'")
set_tests_properties(consumer.zip_examples PROPERTIES FIXTURES_REQUIRED "wine;lufio_zip;lufio_zip_readme"
  LABELS consumer TIMEOUT 300 DEPENDS consumer.zip_shipped)

# The zip's API reference teaches as the build's does, and describes the
# headers as Windows sees them (DirEntry::Imp is WIN32_FIND_DATAA).
add_test(NAME consumer.zip_reference COMMAND ${CMAKE_COMMAND} -DHTML=${sdk}/${CMAKE_INSTALL_DOCDIR}/html -DWINDOWS=ON
  -P ${PROJECT_SOURCE_DIR}/cmake/CheckReference.cmake)
set_tests_properties(consumer.zip_reference PROPERTIES FIXTURES_REQUIRED lufio_zip LABELS consumer)
