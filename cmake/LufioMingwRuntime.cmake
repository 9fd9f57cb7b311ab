# The mingw-w64 GCC runtime DLLs (libstdc++, libgcc, winpthread) beside the
# programs and DLLs of the build, where Windows looks for them, and installed
# beside them, where the CMake package names them to $<TARGET_RUNTIME_DLLS>
# (LufioInstall.cmake). Not used when the runtime is linked statically
# (LUFIO_MINGW_STATIC_RUNTIME). The GCC driver says where they are; a toolchain
# whose compiler is not GCC names one in LUFIO_MINGW_RUNTIME_COMPILER.
if(NOT LUFIO_MINGW_RUNTIME_COMPILER)
  set(LUFIO_MINGW_RUNTIME_COMPILER ${CMAKE_CXX_COMPILER})
endif()
set(LUFIO_MINGW_RUNTIME_DLLS)
# The licence texts (cmake/licenses/) that go with each DLL wherever it is
# shipped: GCC's runtime is GPLv3 with the GCC Runtime Library Exception,
# winpthreads carries the mingw-w64 project's notices (Debian's copyright files).
set(licenses ${CMAKE_CURRENT_LIST_DIR}/licenses)
set(LUFIO_MINGW_RUNTIME_LICENSES_libstdc++-6.dll ${licenses}/gcc-runtime.txt ${licenses}/GPL-3)
set(LUFIO_MINGW_RUNTIME_LICENSES_libgcc_s_seh-1.dll ${licenses}/gcc-runtime.txt ${licenses}/GPL-3)
set(LUFIO_MINGW_RUNTIME_LICENSES_libwinpthread-1.dll ${licenses}/winpthreads.txt)
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${LUFIO_MINGW_RUNTIME_COMPILER} -print-file-name=${name}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${LUFIO_MINGW_RUNTIME_COMPILER} does not know where ${name} is")
  endif()
  get_filename_component(path ${path} REALPATH)
  list(APPEND LUFIO_MINGW_RUNTIME_DLLS ${path})
endforeach()

file(COPY ${LUFIO_MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
if(LUFIO_INSTALL)
  install(FILES ${LUFIO_MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
  # They come with debug sections (libstdc++ is 23 MB so); a stripping install
  # (`cmake --install --strip`, the packages) strips them as it does lufio's.
  foreach(path IN LISTS LUFIO_MINGW_RUNTIME_DLLS)
    get_filename_component(name ${path} NAME)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP AND EXISTS \"${CMAKE_STRIP}\")
  execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${name}\" COMMAND_ERROR_IS_FATAL ANY)
endif()")
  endforeach()
endif()
