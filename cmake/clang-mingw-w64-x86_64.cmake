# Toolchain file for the Windows x64 cross build with Debian's clang++ instead
# of mingw-w64 GCC: the same mingw-w64 headers, import libraries and GNU linker,
# GCC's posix-thread libstdc++ and its runtime DLLs, tests under Wine:
#
#   cmake --preset windows-clang
#
# Everything else (Wine, the runtime DLLs, LUFIO_MINGW_STATIC_RUNTIME) comes
# from the GCC toolchain file. Both compilers follow the Itanium C++ ABI over
# the same libstdc++, so programs built by one link against DLLs built by the other.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

# g++ still tells where its runtime DLLs are (LufioMingwRuntime.cmake).
set(LUFIO_MINGW_RUNTIME_COMPILER ${CMAKE_CXX_COMPILER})
set(LUFIO_MINGW_GCC_DIR /usr/lib/gcc/${LUFIO_MINGW_TRIPLE}/12-posix)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${LUFIO_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${LUFIO_MINGW_TRIPLE})
# The GNU objdump of mingw-w64 reads the import tables (CheckImports.cmake).
find_program(CMAKE_OBJDUMP ${LUFIO_MINGW_TRIPLE}-objdump)
# The sysroot keeps the build machine's /usr/include off the include path.
set(CMAKE_SYSROOT /usr/${LUFIO_MINGW_TRIPLE})

# clang does not find GCC's libstdc++ by itself: name its headers (as system
# headers) and its libraries; -pthread links winpthread, which libstdc++'s
# posix threads need.
set(libstdcxx ${LUFIO_MINGW_GCC_DIR}/include/c++)
string(APPEND CMAKE_CXX_FLAGS_INIT
  " -isystem ${libstdcxx} -isystem ${libstdcxx}/${LUFIO_MINGW_TRIPLE} -isystem ${libstdcxx}/backward")
foreach(kind EXE SHARED MODULE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS_INIT " -L${LUFIO_MINGW_GCC_DIR} -pthread")
endforeach()
