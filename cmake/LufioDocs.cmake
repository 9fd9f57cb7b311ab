# The API reference: Doxygen's HTML pages made from the comments of the public
# headers (include/ and lusys/include/), built with the default target into
# docs/html and installed into share/doc/lufio/html. An undocumented public
# class or member, or any other Doxygen warning, fails the build.
find_package(Doxygen REQUIRED)
file(GLOB_RECURSE LUFIO_PUBLIC_HEADERS CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/include/*.h ${PROJECT_SOURCE_DIR}/lusys/include/*.h)
set(DOXYGEN_PROJECT_NAME lufio)
set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
set(DOXYGEN_PROJECT_BRIEF "${PROJECT_DESCRIPTION}")
set(DOXYGEN_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
set(DOXYGEN_USE_MDFILE_AS_MAINPAGE ${PROJECT_SOURCE_DIR}/docs/mainpage.md)
set(DOXYGEN_STRIP_FROM_PATH ${PROJECT_SOURCE_DIR})
set(DOXYGEN_STRIP_FROM_INC_PATH ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/lusys/include)
# What a caller sees: public and protected members, and the private virtual
# operations that a caller's own back-end overrides; no namespace detail.
set(DOXYGEN_EXTRACT_PRIVATE NO)
set(DOXYGEN_EXTRACT_PRIV_VIRTUAL YES)
set(DOXYGEN_EXCLUDE_SYMBOLS lusys::detail)
set(DOXYGEN_DISTRIBUTE_GROUP_DOC YES)
# A comment's first sentence is its summary in the member lists.
set(DOXYGEN_JAVADOC_AUTOBRIEF YES)
# The headers as a C++17 compiler sees them, the export macros empty.
set(DOXYGEN_MACRO_EXPANSION YES)
set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
set(DOXYGEN_PREDEFINED "LUFIO_API=" "LUSYS_API=" "__cplusplus=201703L")
set(DOXYGEN_WARN_IF_UNDOCUMENTED YES)
set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
set(DOXYGEN_QUIET YES)
set(DOXYGEN_HAVE_DOT NO)
set(DOXYGEN_GENERATE_LATEX NO)
doxygen_add_docs(docs ${LUFIO_PUBLIC_HEADERS} ${PROJECT_SOURCE_DIR}/docs/mainpage.md
  ALL USE_STAMP_FILE WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "API reference (Doxygen) in ${PROJECT_BINARY_DIR}/docs/html")
if(LUFIO_INSTALL)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/docs/html/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/html)
endif()
