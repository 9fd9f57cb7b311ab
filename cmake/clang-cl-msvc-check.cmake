# Toolchain file for the msvc-check preset: every target compiled as Visual C++
# would compile it, with clang-cl in MSVC mode (x86_64-pc-windows-msvc, MSVC's
# C++ ABI, dllexport semantics, the project's MSVC warning options) over libc++'s
# headers and Wine's Windows and C runtime headers, with the shims in
# msvc-shims/ where those headers fall short of MSVC's:
#
#   cmake --workflow --preset msvc-check
#
# Nothing is linked: there is no MSVC C++ runtime here. Linking a program or a
# DLL only touches its output files (msvc-check-rules.cmake); the check is compilation.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(LUFIO_LLVM_BIN /usr/lib/llvm-14/bin)
set(CMAKE_C_COMPILER ${LUFIO_LLVM_BIN}/clang-cl)
set(CMAKE_CXX_COMPILER ${LUFIO_LLVM_BIN}/clang-cl)
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_AR ${LUFIO_LLVM_BIN}/llvm-lib)
set(CMAKE_RC_COMPILER ${LUFIO_LLVM_BIN}/llvm-rc)

# The headers, as system headers, in the order MSVC's would come: the C++
# library, the shims, the C runtime, the Windows SDK. libc++ runs without
# MSVC's vcruntime; templates are parsed at their definition, as MSVC does under
# /permissive-. WCHAR is wchar_t, as in the Windows SDK (Wine's headers make it
# char16_t unless told WINE_UNICODE_NATIVE).
set(wine /usr/include/wine/wine)
foreach(lang C CXX)
  set(CMAKE_${lang}_FLAGS_INIT "-fno-delayed-template-parsing -D_LIBCPP_NO_VCRUNTIME -DWINE_UNICODE_NATIVE \
-imsvc /usr/lib/llvm-14/include/c++/v1 -imsvc ${CMAKE_CURRENT_LIST_DIR}/msvc-shims \
-imsvc ${wine}/msvcrt -imsvc ${wine}/windows")
endforeach()

set(CMAKE_FIND_ROOT_PATH ${CMAKE_CURRENT_LIST_DIR}/msvc-shims)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CMake's own checks build static libraries: a touched program would pass any
# check that needs a link. FindThreads' library test passes all the same:
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# Without a link that test cannot tell; no pthreads library comes with MSVC.
set(CMAKE_HAVE_PTHREADS_CREATE 0 CACHE INTERNAL "")
set(CMAKE_HAVE_PTHREAD_CREATE 0 CACHE INTERNAL "")
# Read after CMake's own rules for MSVC: replaces the link steps.
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/msvc-check-rules.cmake)
