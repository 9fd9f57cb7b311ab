// Stands for MSVC's <stdlib.h>: Wine's lacks MB_CUR_MAX, _dupenv_s, _set_abort_behavior and the _l
// forms of strtod and strtof that libc++ calls, and marks nothing deprecated.
#pragma once
#include_next <stdlib.h>
#include "lufio_shim_deprecate.h"
#ifndef MB_CUR_MAX
#define MB_CUR_MAX ___mb_cur_max_func()
#endif
#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP unsigned int __cdecl _set_abort_behavior(unsigned int, unsigned int);
_ACRTIMP errno_t __cdecl _dupenv_s(char**, size_t*, const char*);
_ACRTIMP double __cdecl _strtod_l(const char*, char**, _locale_t);
_ACRTIMP float __cdecl _strtof_l(const char*, char**, _locale_t);
LUFIO_SHIM_INSECURE(_dupenv_s) _ACRTIMP char* __cdecl getenv(const char*);
#ifdef __cplusplus
}
#endif
