# The Windows SDK zip as a programmer receives it: cpack makes it from this
# build and it is unpacked into an empty folder; a program is built against
# what is in it alone, once with CMake's find_package and once with one g++
# command line (README shows both), and runs under Wine with nothing but the
# zip's bin/ beside it. The consumers are built by mingw-w64 g++ whichever
# compiler built the DLLs: in the windows-clang build this shows that both
# compilers' modules work together.
set(zip lufio-${PROJECT_VERSION}-win64)
set(sdk ${work}/unpacked/${zip})
set(source ${CMAKE_CURRENT_SOURCE_DIR}/utf8_name.cpp)
set(name "Grüße-Ελλάδα-Отчёт-日本語-😀.txt")  # the name utf8_name.cpp writes
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " wine)

add_test(NAME consumer.zip COMMAND sh -c "rm -rf '${work}' && mkdir -p '${work}/unpacked' \
&& '${CMAKE_CPACK_COMMAND}' --config '${CMAKE_BINARY_DIR}/CPackConfig.cmake' -B '${work}/package' \
&& cd '${work}/unpacked' && '${CMAKE_COMMAND}' -E tar xf '../package/${zip}.zip'")
set_tests_properties(consumer.zip PROPERTIES FIXTURES_SETUP lufio_zip LABELS consumer TIMEOUT 120)

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
# shell command `build`, which puts exe into the zip's bin/, then runs exe there.
function(lufio_zip_consumer name exe build)
  add_test(NAME consumer.zip_${name} COMMAND sh -c "rm -rf '${work}/${name}' && mkdir -p '${work}/${name}/names' \
&& cd '${work}/${name}' && ${build} && ${wine} '${sdk}/bin/${exe}' names && ${on_host}")
  set_tests_properties(consumer.zip_${name} PROPERTIES FIXTURES_REQUIRED "wine;lufio_zip" LABELS consumer
    TIMEOUT 180)
endfunction()

lufio_zip_consumer(find_package consumer.exe "'${CMAKE_COMMAND}' -G '${CMAKE_GENERATOR}' \
-S '${CMAKE_CURRENT_SOURCE_DIR}/find_package' -B build \
-DCMAKE_TOOLCHAIN_FILE='${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake' \
-Dlufio_DIR='${sdk}/${CMAKE_INSTALL_LIBDIR}/cmake/lufio' -DCONSUMER_SOURCE='${source}' ${manifest_option} \
-DCMAKE_RUNTIME_OUTPUT_DIRECTORY='${sdk}/bin' && '${CMAKE_COMMAND}' --build build")

lufio_zip_consumer(command_line command_line.exe "true ${manifest_object} \
&& x86_64-w64-mingw32-g++-posix -std=c++17 -I'${sdk}/include' '${source}' ${manifest_input} \
-L'${sdk}/lib' -llufio -llusys -o '${sdk}/bin/command_line.exe'")
