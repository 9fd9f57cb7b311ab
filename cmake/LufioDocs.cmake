# The API reference: Doxygen's HTML pages made from the comments of the public
# headers (include/ and lusys/include/), built with the default target into
# docs/html and installed into share/doc/lufio/html. README.md is its main page
# (the tour of the API, one text for both), docs/*.md its other pages, and the
# class pages show the examples of examples/reference.cpp, which the build
# compiles and runs. An undocumented public class or member, or any other
# Doxygen warning, fails the build.
find_package(Doxygen REQUIRED)
file(GLOB_RECURSE LUFIO_PUBLIC_HEADERS CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/include/*.h ${PROJECT_SOURCE_DIR}/lusys/include/*.h)
file(GLOB LUFIO_DOC_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
set(DOXYGEN_PROJECT_NAME lufio)
set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
set(DOXYGEN_PROJECT_BRIEF "${PROJECT_DESCRIPTION}")
set(DOXYGEN_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
set(DOXYGEN_USE_MDFILE_AS_MAINPAGE ${PROJECT_SOURCE_DIR}/README.md)
set(DOXYGEN_EXAMPLE_PATH ${PROJECT_SOURCE_DIR}/examples)
set(DOXYGEN_STRIP_FROM_PATH ${PROJECT_SOURCE_DIR})
set(DOXYGEN_STRIP_FROM_INC_PATH ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/lusys/include)
# What a caller sees: public and protected members, and the private virtual
# operations that a caller's own back-end overrides; no namespace detail.
set(DOXYGEN_EXTRACT_PRIVATE NO)
set(DOXYGEN_EXTRACT_PRIV_VIRTUAL YES)
set(DOXYGEN_EXCLUDE_SYMBOLS lusys::detail)
set(DOXYGEN_DISTRIBUTE_GROUP_DOC YES)
# A class's page lists every member a caller calls on it, the inherited ones
# too (Error's page shows GetText and GetCode of lusys::Exception).
set(DOXYGEN_INLINE_INHERITED_MEMB YES)
# A comment's first sentence is its summary in the member lists.
set(DOXYGEN_JAVADOC_AUTOBRIEF YES)
# The headers as a C++17 compiler sees them, the export macros empty; in the
# Windows build as Windows sees them (DirEntry::Imp is WIN32_FIND_DATAA).
set(DOXYGEN_MACRO_EXPANSION YES)
set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
set(DOXYGEN_PREDEFINED "LUFIO_API=" "LUSYS_API=" "__cplusplus=201703L")
if(WIN32)
  list(APPEND DOXYGEN_PREDEFINED "_WIN32=1" "_WIN64=1")
  set(DOXYGEN_ENABLED_SECTIONS windows_reference)
endif()
set(DOXYGEN_WARN_IF_UNDOCUMENTED YES)
set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
set(DOXYGEN_QUIET YES)
set(DOXYGEN_HAVE_DOT NO)
set(DOXYGEN_GENERATE_LATEX NO)
# Doxygen adds pages and never removes one: a configure starts the reference
# afresh, so no page of an older build (another platform's headers) is shipped.
file(REMOVE_RECURSE ${PROJECT_BINARY_DIR}/docs/html ${CMAKE_CURRENT_BINARY_DIR}/docs.stamp)
doxygen_add_docs(docs ${LUFIO_PUBLIC_HEADERS} ${PROJECT_SOURCE_DIR}/README.md ${LUFIO_DOC_PAGES}
  ALL USE_STAMP_FILE WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "API reference (Doxygen) in ${PROJECT_BINARY_DIR}/docs/html")
if(LUFIO_INSTALL)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/docs/html/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/html)
endif()
# The pages that must teach: each class page shows its example and the members
# a caller calls, and the Windows build's reference the platform's own record.
if(LUFIO_TESTS)
  add_test(NAME docs.reference COMMAND ${CMAKE_COMMAND} -DHTML=${PROJECT_BINARY_DIR}/docs/html
    -DWINDOWS=${WIN32} -P ${PROJECT_SOURCE_DIR}/cmake/CheckReference.cmake)
  set_tests_properties(docs.reference PROPERTIES LABELS docs)
endif()
