# lufio_add_version_info(target description): gives the Windows DLL or program
# `target` a version resource (cmake/windows/lufio-version.rc.in) made from the
# project's version: file and product version, the description, the product
# name, the company (the project's authors, who hold its copyright), LICENSE's
# copyright line, the internal and original file names. Does nothing where no
# resource compiler is enabled (every build but Windows).
set(LUFIO_COMPANY "The lufio authors")
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE LUFIO_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

function(lufio_add_version_info target description)
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT WIN32 OR NOT RC IN_LIST languages)
    return()
  endif()
  set(LUFIO_RC_TARGET ${target})
  set(LUFIO_RC_DESCRIPTION ${description})
  set(LUFIO_RC_COPYRIGHT ${LUFIO_COPYRIGHT})
  set(LUFIO_RC_VERSION ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(LUFIO_RC_FILETYPE 0x1)
  else()
    set(LUFIO_RC_FILETYPE 0x2)
  endif()
  # Configured first (the version, the texts), then each configuration's file
  # names and debug flag filled in.
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/version-info)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/windows/lufio-version.rc.in ${dir}/${target}.rc.in @ONLY)
  file(GENERATE OUTPUT ${dir}/${target}-$<CONFIG>.rc INPUT ${dir}/${target}.rc.in)
  target_sources(${target} PRIVATE ${dir}/${target}-$<CONFIG>.rc)
endfunction()
