# Toolchain file for the Windows x64 cross build with Debian's mingw-w64
# compilers (posix thread model), programs run under Wine:
#
#   cmake --preset windows   (or: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...)
#
# The SDK zip carries it as share/lufio/mingw-w64-x86_64.cmake for programs
# built against the unpacked zip:
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=SDK/share/lufio/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=SDK ...
#
# The posix thread model is required: under the win32 model GCC 12 has no
# std::mutex and GoogleTest does not build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LUFIO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUFIO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUFIO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LUFIO_MINGW_TRIPLE}-windres)
# The packages strip with it, whichever compiler builds.
find_program(CMAKE_STRIP ${LUFIO_MINGW_TRIPLE}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${LUFIO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages are looked for in the mingw-w64 root first, then where
# CMAKE_PREFIX_PATH and lufio_DIR say, as in a native build. A package built for
# another system may turn up there too; lufio's own refuses such a build.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# CTest runs every test program through Wine (lufio's build adds a Wine
# prefix of its own). Without Wine the build still works; its tests cannot run.
find_program(LUFIO_WINE NAMES wine wine64)
if(LUFIO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUFIO_WINE})
endif()

# The GCC runtime (libstdc++, libgcc, winpthread) is linked as DLLs by
# default, one copy for the whole process: exceptions that lufio throws are
# caught by its callers, and a runtime linked statically into each module
# keeps its own exception bookkeeping (std::uncaught_exceptions() drifts in
# both). lufio's build copies the runtime DLLs beside its programs and the
# SDK zip ships them in bin/. LUFIO_MINGW_STATIC_RUNTIME=ON links them into
# every module instead (-static), so that no runtime DLL is needed.
set(LUFIO_MINGW_STATIC_RUNTIME OFF CACHE BOOL "Link the GCC runtime statically into every module")
if(LUFIO_MINGW_STATIC_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
  set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
  set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)
endif()
