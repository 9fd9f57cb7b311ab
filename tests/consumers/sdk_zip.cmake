# The Windows SDK zip as a programmer receives it: README's command
# (`cmake --workflow --preset windows-sdk`, a Release build of what ships and
# nothing else) makes it from this source tree, and it is unpacked into an
# empty folder. Its DLLs and program carry no debug sections and liblufio.dll
# exports nothing of lufio::sys. A program is built against what is in it
# alone, once with CMake (the zip's toolchain file and CMAKE_PREFIX_PATH), whose
# build copies the DLLs it needs from the zip beside the program, and once with
# one g++ command line into the zip's bin/ (README shows both); each runs under
# Wine from its own folder, nothing else pointing Wine at the zip. The consumers are built by mingw-w64
# g++ whichever compiler built the DLLs: the windows-clang build checks the
# zip its own compiler makes (windows-clang-sdk), so both compilers' modules
# work together. LUFIO_SDK_PRESET names the SDK preset; the Windows presets set it.
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

add_test(NAME consumer.zip COMMAND sh -c "rm -rf '${work}' && mkdir -p '${work}/unpacked' \
&& '${CMAKE_COMMAND}' --workflow --preset ${LUFIO_SDK_PRESET} --fresh \
&& cd '${work}/unpacked' && '${CMAKE_COMMAND}' -E tar xf '${package}'")
set_tests_properties(consumer.zip PROPERTIES FIXTURES_SETUP lufio_zip LABELS consumer TIMEOUT 1500
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})

# What ships, checked before the consumers add their programs to bin/.
add_test(NAME consumer.zip_shipped COMMAND ${CMAKE_COMMAND} -DSDK=${sdk} -DOBJDUMP=${CMAKE_OBJDUMP}
  -DVERSION=${PROJECT_VERSION} -P ${CMAKE_CURRENT_SOURCE_DIR}/sdk_shipped.cmake)
set_tests_properties(consumer.zip_shipped PROPERTIES FIXTURES_REQUIRED lufio_zip LABELS consumer)

# The zip's DLLs and program carry the project's version (tests/CMakeLists.txt
# builds the checker). The export lists of its DLLs hold against the baseline
# in abi/; that baseline is g++'s, whose DLLs also export the type information
# and complete-object constructors that clang++ leaves out.
if(LUFIO_VERSION_INFO_CHECKER)
  add_test(NAME consumer.zip_version COMMAND ${CMAKE_COMMAND} "-DCHECKER=${LUFIO_VERSION_INFO_CHECKER}"
    -DVERSION=${PROJECT_VERSION} "-DFILES=${sdk}/bin/liblufio.dll|${sdk}/bin/liblusys.dll|${sdk}/bin/lufio.exe"
    -P ${PROJECT_SOURCE_DIR}/cmake/CheckVersionInfo.cmake)
  set_tests_properties(consumer.zip_version PROPERTIES FIXTURES_REQUIRED "wine;lufio_zip" LABELS consumer)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_test(NAME consumer.zip_exports COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}
    -DBINARY=${work}/exports -DLIBRARY_DIR=${sdk}/bin -DOBJDUMP=${CMAKE_OBJDUMP} -P ${PROJECT_SOURCE_DIR}/cmake/CheckAbi.cmake)
  set_tests_properties(consumer.zip_exports PROPERTIES FIXTURES_REQUIRED lufio_zip LABELS "consumer;abi")
endif()

# Without the embedded manifest the program's narrow names are in the ANSI
# code page: it still reads back and lists what it wrote, but the name on the
# host is not the UTF-8 text. Only a zip with the manifest can show that.
set(rc ${sdk}/${CMAKE_INSTALL_DOCDIR}/lufio-manifest.rc)
if(EXISTS ${PROJECT_SOURCE_DIR}/cmake/windows/lufio-manifest.rc)
  set(manifest_option -DCONSUMER_MANIFEST_RC=${rc})
  set(manifest_object "&& x86_64-w64-mingw32-windres '${rc}' -O coff -o manifest.o")
  set(manifest_input manifest.o)
  set(on_host "test -f 'names/${name}'")
else()
  message(STATUS "No application manifest: the SDK zip consumers do not check names on the host")
  set(on_host "true")
endif()

# lufio_zip_consumer(name exe build): in an empty folder ${work}/name, runs the
# shell command `build`, which makes the program exe (a path from that folder),
# then runs exe there under Wine, with no WINEPATH.
function(lufio_zip_consumer name exe build)
  add_test(NAME consumer.zip_${name} COMMAND sh -c "rm -rf '${work}/${name}' && mkdir -p '${work}/${name}/names' \
&& cd '${work}/${name}' && ${build} && env -u WINEPATH ${wine} '${exe}' names && ${on_host}")
  set_tests_properties(consumer.zip_${name} PROPERTIES FIXTURES_REQUIRED "wine;lufio_zip" LABELS consumer
    TIMEOUT 180 DEPENDS consumer.zip_shipped)
endfunction()

# README's CMake lines (the copy command is checked to be README's): the
# program's post-build step copies every DLL it needs from the zip's bin/
# (lufio's and the GCC runtime's) beside it, and it runs from its own folder.
set(consumer_cmake ${CMAKE_CURRENT_SOURCE_DIR}/find_package/CMakeLists.txt)
lufio_zip_consumer(find_package build/app.exe "copy=$(grep -m1 -o 'COMMAND .*TARGET_RUNTIME_DLLS:app.*' '${PROJECT_SOURCE_DIR}/README.md') \
&& test -n \"$copy\" && grep -qF \"$copy\" '${consumer_cmake}' \
&& '${CMAKE_COMMAND}' -G '${CMAKE_GENERATOR}' \
-S '${CMAKE_CURRENT_SOURCE_DIR}/find_package' -B build \
-DCMAKE_TOOLCHAIN_FILE='${sdk}/share/lufio/mingw-w64-x86_64.cmake' -DCMAKE_PREFIX_PATH='${sdk}' \
-DCONSUMER_SOURCE='${source}' ${manifest_option} \
&& grep -qx 'lufio_DIR:PATH=${sdk}/${CMAKE_INSTALL_LIBDIR}/cmake/lufio' build/CMakeCache.txt \
&& '${CMAKE_COMMAND}' --build build \
&& (cd '${sdk}/bin' && ls *.dll | xargs -I{} cmp {} '${work}/find_package/build/{}')")

# README's command line: the program goes into the zip's bin/, beside the DLLs.
lufio_zip_consumer(command_line ${sdk}/bin/command_line.exe "true ${manifest_object} \
&& x86_64-w64-mingw32-g++-posix -std=c++17 -I'${sdk}/include' '${source}' ${manifest_input} \
-L'${sdk}/lib' -llufio -llusys -o '${sdk}/bin/command_line.exe'")

# The zip's API reference teaches as the build's does, and describes the
# headers as Windows sees them (DirEntry::Imp is WIN32_FIND_DATAA).
add_test(NAME consumer.zip_reference COMMAND ${CMAKE_COMMAND} -DHTML=${sdk}/${CMAKE_INSTALL_DOCDIR}/html -DWINDOWS=ON
  -P ${PROJECT_SOURCE_DIR}/cmake/CheckReference.cmake)
set_tests_properties(consumer.zip_reference PROPERTIES FIXTURES_REQUIRED lufio_zip LABELS consumer)
