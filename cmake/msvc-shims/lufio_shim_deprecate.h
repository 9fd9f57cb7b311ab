// Stands for the deprecation markers of MSVC's vcruntime.h (C4996), which Wine's headers lack.
#pragma once
#ifdef _CRT_SECURE_NO_WARNINGS
#define LUFIO_SHIM_INSECURE(instead)
#else
#define LUFIO_SHIM_INSECURE(instead) \
  __declspec(deprecated("This function or variable may be unsafe. Consider using " #instead " instead."))
#endif
