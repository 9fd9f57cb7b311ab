# Install rules: libraries, headers, the CMake package (lufio::lufio,
# lufio::lusys) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS lusys lufio
  EXPORT lufioTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
)
# Installed programs find the installed libraries through a run path relative
# to themselves, wherever the prefix is; Windows looks beside the program.
if(UNIX AND NOT APPLE)
  file(RELATIVE_PATH bin_to_lib /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(lufio PROPERTIES INSTALL_RPATH "$ORIGIN")
  if(TARGET lufio_cli)
    set_target_properties(lufio_cli PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
  endif()
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/lusys/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(LUFIO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/lufio)
install(EXPORT lufioTargets NAMESPACE lufio:: DESTINATION ${LUFIO_CMAKE_DIR})
# The GCC runtime DLLs installed beside lufio's (LufioMingwRuntime.cmake), by
# name without ".dll", for the package to import.
set(LUFIO_PACKAGE_RUNTIME_DLLS)
foreach(path IN LISTS LUFIO_MINGW_RUNTIME_DLLS)
  get_filename_component(name ${path} NAME_WLE)
  string(APPEND LUFIO_PACKAGE_RUNTIME_DLLS " ${name}")
endforeach()
# Windows: LUFIO_MANIFEST_RC names the installed resource script of lufio's
# application manifest (UTF-8 names, long paths; LufioPackage.cmake installs
# it), for a program to add to its sources.
set(LUFIO_PACKAGE_MANIFEST "")
if(WIN32)
  set(LUFIO_PACKAGE_MANIFEST "set(LUFIO_MANIFEST_RC \"\${PACKAGE_PREFIX_DIR}/${CMAKE_INSTALL_DOCDIR}/lufio-manifest.rc\")")
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/lufioConfig.cmake.in
  ${PROJECT_BINARY_DIR}/lufioConfig.cmake
  INSTALL_DESTINATION ${LUFIO_CMAKE_DIR}
  PATH_VARS CMAKE_INSTALL_BINDIR)
# The version file also turns down a build for another system: a cross build
# looks for packages on the build machine too, and a Linux lufio found there
# (or a Windows SDK found by a Linux build) is passed over.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/lufioConfigVersion-basic.cmake
  COMPATIBILITY SameMajorVersion)
file(READ ${PROJECT_BINARY_DIR}/lufioConfigVersion-basic.cmake version_check)
file(WRITE ${PROJECT_BINARY_DIR}/lufioConfigVersion.cmake "${version_check}
if(NOT CMAKE_SYSTEM_NAME STREQUAL \"${CMAKE_SYSTEM_NAME}\")
  set(PACKAGE_VERSION \"\${PACKAGE_VERSION} (${CMAKE_SYSTEM_NAME})\")
  set(PACKAGE_VERSION_UNSUITABLE TRUE)
endif()
")
install(FILES ${PROJECT_BINARY_DIR}/lufioConfig.cmake ${PROJECT_BINARY_DIR}/lufioConfigVersion.cmake
  DESTINATION ${LUFIO_CMAKE_DIR})

# The mingw-w64 toolchain file, for programs built against the SDK zip with
# CMAKE_PREFIX_PATH (the project's own file; any that finds packages there will do).
if(MINGW)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake DESTINATION ${CMAKE_INSTALL_DATADIR}/lufio)
endif()

# Relocatable: the prefix is found from where the .pc file lies. It names the
# libraries of the configuration installed last (with the Debug postfix or
# without); the old file is removed first, as an install skips a file of the
# same age, and a multi-config build makes them all at once.
file(RELATIVE_PATH LUFIO_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/lufio.pc.in ${PROJECT_BINARY_DIR}/lufio.pc.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/lufio-$<CONFIG>.pc INPUT ${PROJECT_BINARY_DIR}/lufio.pc.in)
install(CODE "file(REMOVE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig/lufio.pc\")")
install(FILES ${PROJECT_BINARY_DIR}/lufio-$<CONFIG>.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig RENAME lufio.pc)
# A Debug build's DLLs keep their debugging information (DWARF) even in a
# stripping install (the SDK zip carries them beside the Release ones): a
# program's build copies them beside itself, and gdb finds their symbols in
# them wherever they are. Its program is stripped as the Release one is.
if(MINGW)
  foreach(target lusys lufio)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP AND \"$<CONFIG>\" STREQUAL \"Debug\")
  file(COPY_FILE \"$<TARGET_FILE:${target}>\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${target}>\")
endif()")
  endforeach()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/LufioPackage.cmake)
