# The binary package: `cmake --build BUILD --target package` (or cpack in
# BUILD) archives what `cmake --install --strip` puts into a prefix, plus
# CHANGELOG and LICENSE in share/doc/lufio/:
# lufio-<version>-win64.zip for the Windows build, lufio-<version>-Linux.tar.gz
# elsewhere, each unpacking into one folder of that name. The Linux archive
# carries the developer README there too; the mingw-w64 zip has a README of its
# own at its top (cmake/sdk/README.md: what is inside and how to build against
# it), the examples/ it describes, the UTF-8 application manifest, and the
# licences of the GCC runtime DLLs it ships.
set(LUFIO_DOC_FILES ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE)
foreach(file windows/lufio.manifest windows/lufio-manifest.rc)
  if(WIN32 AND EXISTS ${PROJECT_SOURCE_DIR}/cmake/${file})
    list(APPEND LUFIO_DOC_FILES ${PROJECT_SOURCE_DIR}/cmake/${file})
  endif()
endforeach()
if(MINGW)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/sdk/README.md ${PROJECT_BINARY_DIR}/sdk/README.md @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/sdk/README.md DESTINATION .)
  set(CPACK_RESOURCE_FILE_README ${PROJECT_BINARY_DIR}/sdk/README.md)

  # The examples, as the repository's examples/ has them, with a CMakeLists.txt
  # that builds them against the SDK they came in.
  string(REPLACE ";" " " LUFIO_EXAMPLES_SHIPPED "${LUFIO_EXAMPLES_SHIPPED}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/sdk/examples-CMakeLists.txt ${PROJECT_BINARY_DIR}/sdk/examples/CMakeLists.txt @ONLY)
  string(REPLACE " " ";" LUFIO_EXAMPLES_SHIPPED "${LUFIO_EXAMPLES_SHIPPED}")
  list(TRANSFORM LUFIO_EXAMPLES_SHIPPED PREPEND ${PROJECT_SOURCE_DIR}/examples/ OUTPUT_VARIABLE sources)
  list(TRANSFORM sources APPEND .cpp)
  install(FILES ${PROJECT_BINARY_DIR}/sdk/examples/CMakeLists.txt ${sources} ${PROJECT_SOURCE_DIR}/examples/sample.txt
    DESTINATION examples)

  # Every file of bin/ and the licence texts beside this list that cover it:
  # lufio's own modules (Release and Debug) under LICENSE, each GCC runtime DLL
  # under the texts LufioMingwRuntime.cmake names for it. The SDK zip's test
  # fails for a DLL or program of bin/ that has no line here.
  set(lufio_modules)
  foreach(target lusys lufio lufio_cli)
    if(TARGET ${target})
      get_target_property(name ${target} OUTPUT_NAME)
      if(NOT name)
        set(name ${target})
      endif()
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        set(ends ${CMAKE_EXECUTABLE_SUFFIX})
      else()
        set(ends ${CMAKE_SHARED_LIBRARY_SUFFIX})
        set(name ${CMAKE_SHARED_LIBRARY_PREFIX}${name})
      endif()
      list(APPEND lufio_modules ${name}${ends} ${name}${LUFIO_DEBUG_POSTFIX}${ends})
    endif()
  endforeach()
  set(notices "# Each file of bin/, then the licence texts in this folder that cover it.\n")
  foreach(module IN LISTS lufio_modules)
    string(APPEND notices "${module}: LICENSE\n")
  endforeach()
  set(license_files)
  foreach(dll IN LISTS LUFIO_MINGW_RUNTIME_DLLS)
    get_filename_component(name ${dll} NAME)
    string(APPEND notices "${name}:")
    foreach(text IN LISTS LUFIO_MINGW_RUNTIME_LICENSES_${name})
      get_filename_component(text_name ${text} NAME)
      string(APPEND notices " ${text_name}")
      list(APPEND license_files ${text})
    endforeach()
    string(APPEND notices "\n")
  endforeach()
  list(REMOVE_DUPLICATES license_files)
  file(WRITE ${PROJECT_BINARY_DIR}/sdk/LICENSES.txt "${notices}")
  list(APPEND LUFIO_DOC_FILES ${PROJECT_BINARY_DIR}/sdk/LICENSES.txt ${license_files})
else()
  list(APPEND LUFIO_DOC_FILES ${PROJECT_SOURCE_DIR}/README.md)
  set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
endif()
install(FILES ${LUFIO_DOC_FILES} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_VENDOR "${LUFIO_COMPANY}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
# The package name, version and system come from project(): lufio-1.3.0-win64.
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Packages carry stripped programs and libraries (CMAKE_STRIP, the toolchain's
# own strip), the GCC runtime DLLs included (LufioMingwRuntime.cmake).
set(CPACK_STRIP_FILES ON)
include(CPack)
