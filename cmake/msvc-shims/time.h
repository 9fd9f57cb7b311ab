// Stands for MSVC's <time.h>: Wine's lacks struct timespec, localtime_s, gmtime_s, _gmtime64_s and
// _strftime_l, and marks nothing deprecated.
#pragma once
#include_next <time.h>
#include "lufio_shim_deprecate.h"
#ifdef __cplusplus
extern "C" {
#endif
#ifndef _CRT_NO_TIME_T
struct timespec {
  time_t tv_sec;
  long tv_nsec;
};
#endif
static inline errno_t localtime_s(struct tm* tm, const time_t* t) { return _localtime64_s(tm, t); }
_ACRTIMP errno_t __cdecl _gmtime64_s(struct tm*, const __time64_t*);
static inline errno_t gmtime_s(struct tm* tm, const time_t* t) { return _gmtime64_s(tm, t); }
LUFIO_SHIM_INSECURE(localtime_s) static inline struct tm* localtime(const time_t*);
LUFIO_SHIM_INSECURE(gmtime_s) static inline struct tm* gmtime(const time_t*);
LUFIO_SHIM_INSECURE(ctime_s) static inline char* ctime(const time_t*);
LUFIO_SHIM_INSECURE(asctime_s) _ACRTIMP char* __cdecl asctime(const struct tm*);
#ifdef __cplusplus
}
#endif
#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP size_t __cdecl _strftime_l(char*, size_t, const char*, const struct tm*, _locale_t);
#ifdef __cplusplus
}
#endif
