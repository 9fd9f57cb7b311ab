# Options every lufio target gets, set per target, never on global flags:
# warnings as errors, and the instrumentation that the asan, fuzz and coverage
# presets ask for.
set(LUFIO_SANITIZERS "" CACHE STRING "Sanitizers for every lufio target, e.g. address,undefined")
option(LUFIO_COVERAGE "Instrument every lufio target for gcov" OFF)

function(lufio_set_warnings target)
  if(MSVC)
    # C4251/C4275: an exported class with a standard-library member or base
    # (std::unique_ptr, std::exception), harmless when the library and its
    # callers use the same compiler and runtime, which a C++ interface needs anyway.
    # /permissive-: standard conformance, two-phase name lookup included.
    # /utf-8: the sources (the tests' names) are UTF-8, not the system's code page.
    target_compile_options(${target} PRIVATE /W4 /WX /wd4251 /wd4275 /permissive- /utf-8)
    # The back-ends call fopen and _sopen, which the C runtime deprecates
    # (C4996) in favour of its _s forms: lufio's own targets only, never its callers.
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  endif()
  if(LUFIO_SANITIZERS)
    target_compile_options(${target} PRIVATE -fsanitize=${LUFIO_SANITIZERS} -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=${LUFIO_SANITIZERS})
  endif()
  if(LUFIO_COVERAGE)
    # Atomic counters: the suites run eight threads at once, and counts that
    # race come out negative, which gcovr refuses.
    target_compile_options(${target} PRIVATE --coverage -O0 -fprofile-update=atomic)
    target_link_options(${target} PRIVATE --coverage)
  endif()
endfunction()
