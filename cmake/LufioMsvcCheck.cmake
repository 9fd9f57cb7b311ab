# The msvc-check preset's second library: lufio's sources compiled once more as
# they ship, without the fault seam, and with the other answer to the C runtime
# question (LUFIO_UCRT=0: the old msvcrt's _sopen), so that both branches of
# src/platform/platform.h are compiled. The main library has the seam and, as
# under MSVC, the universal runtime's _sopen_dispatch.
get_target_property(sources lufio SOURCES)
list(FILTER sources EXCLUDE REGEX "/fault\\.cpp$")
add_library(lufio_shipped OBJECT ${sources})
target_compile_definitions(lufio_shipped PRIVATE LUFIO_BUILDING LUFIO_UCRT=0)
target_include_directories(lufio_shipped PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/platform)
target_link_libraries(lufio_shipped PRIVATE lufio::lusys)
target_include_directories(lufio_shipped PRIVATE $<TARGET_PROPERTY:lufio,INTERFACE_INCLUDE_DIRECTORIES>)
lufio_set_warnings(lufio_shipped)
