# The msvc-check toolchain's link steps: a program or a DLL is not linked (no
# MSVC C++ runtime exists here); its output and import library are only
# touched, so that everything that depends on them builds. Static libraries
# are archived for real by llvm-lib.
foreach(lang C CXX)
  set(CMAKE_${lang}_LINK_EXECUTABLE "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
  set(CMAKE_${lang}_CREATE_SHARED_LIBRARY "\"${CMAKE_COMMAND}\" -E touch <TARGET> <TARGET_IMPLIB>")
  set(CMAKE_${lang}_CREATE_SHARED_MODULE "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
endforeach()
