// Stands for MSVC's <ctype.h>: Wine's lacks a few _l classifications that libc++ calls.
#pragma once
#include_next <ctype.h>
#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP int __cdecl _isdigit_l(int, _locale_t);
_ACRTIMP int __cdecl _islower_l(int, _locale_t);
_ACRTIMP int __cdecl _isupper_l(int, _locale_t);
_ACRTIMP int __cdecl _isxdigit_l(int, _locale_t);
_ACRTIMP int __cdecl _iswcntrl_l(wint_t, _locale_t);
_ACRTIMP int __cdecl _iswxdigit_l(wint_t, _locale_t);
#ifdef __cplusplus
}
#endif
