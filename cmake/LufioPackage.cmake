# The binary package: `cmake --build BUILD --target package` (or cpack in
# BUILD) archives what `cmake --install --strip` puts into a prefix, plus README,
# CHANGELOG, LICENSE and, for Windows, the UTF-8 application manifest in share/doc/lufio/:
# lufio-<version>-win64.zip for the Windows build, lufio-<version>-Linux.tar.gz
# elsewhere, each unpacking into one folder of that name.
set(LUFIO_DOC_FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE)
foreach(file windows/lufio.manifest windows/lufio-manifest.rc)
  if(WIN32 AND EXISTS ${PROJECT_SOURCE_DIR}/cmake/${file})
    list(APPEND LUFIO_DOC_FILES ${PROJECT_SOURCE_DIR}/cmake/${file})
  endif()
endforeach()
install(FILES ${LUFIO_DOC_FILES} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_VENDOR "the lufio authors")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
# The package name, version and system come from project(): lufio-1.2.0-win64.
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Packages carry stripped programs and libraries (CMAKE_STRIP, the toolchain's
# own strip), the GCC runtime DLLs included (LufioMingwRuntime.cmake).
set(CPACK_STRIP_FILES ON)
include(CPack)
