// Stands for MSVC's <io.h>: Wine's defines open as _open (renaming every member called open)
// and marks nothing deprecated.
#pragma once
#include_next <io.h>
#include "lufio_shim_deprecate.h"
#undef open
#undef sopen
#ifdef __cplusplus
extern "C" {
#endif
LUFIO_SHIM_INSECURE(_sopen_s) _ACRTIMP int WINAPIV _sopen(const char*, int, int, ...);
#ifdef __cplusplus
}
#endif
