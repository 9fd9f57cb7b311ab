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
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/lufioConfig.cmake.in
  ${PROJECT_BINARY_DIR}/lufioConfig.cmake
  INSTALL_DESTINATION ${LUFIO_CMAKE_DIR})
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

# Relocatable: the prefix is found from where the .pc file lies.
file(RELATIVE_PATH LUFIO_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/lufio.pc.in ${PROJECT_BINARY_DIR}/lufio.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lufio.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
include(${CMAKE_CURRENT_LIST_DIR}/LufioPackage.cmake)
