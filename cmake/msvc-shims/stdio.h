// Stands for MSVC's <stdio.h>: Wine's lacks the _l forms of sprintf that libc++ calls and
// marks nothing deprecated.
#pragma once
#include_next <stdio.h>
#include "lufio_shim_deprecate.h"
#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP int __cdecl _vsnprintf_l(char*, size_t, const char*, _locale_t, va_list);
_ACRTIMP int __cdecl _vsprintf_l(char*, const char*, _locale_t, va_list);
_ACRTIMP int WINAPIV _sprintf_l(char*, const char*, _locale_t, ...);
LUFIO_SHIM_INSECURE(fopen_s) _ACRTIMP FILE* __cdecl fopen(const char*, const char*);
LUFIO_SHIM_INSECURE(freopen_s) _ACRTIMP FILE* __cdecl freopen(const char*, const char*, FILE*);
LUFIO_SHIM_INSECURE(tmpfile_s) _ACRTIMP FILE* __cdecl tmpfile(void);
LUFIO_SHIM_INSECURE(tmpnam_s) _ACRTIMP char* __cdecl tmpnam(char*);
LUFIO_SHIM_INSECURE(sprintf_s) _ACRTIMP int WINAPIV sprintf(char*, const char*, ...);
LUFIO_SHIM_INSECURE(vsprintf_s) _ACRTIMP int __cdecl vsprintf(char*, const char*, va_list);
LUFIO_SHIM_INSECURE(sscanf_s) _ACRTIMP int WINAPIV sscanf(const char*, const char*, ...);
LUFIO_SHIM_INSECURE(fscanf_s) _ACRTIMP int WINAPIV fscanf(FILE*, const char*, ...);
LUFIO_SHIM_INSECURE(scanf_s) _ACRTIMP int WINAPIV scanf(const char*, ...);
#ifdef __cplusplus
}
#endif
