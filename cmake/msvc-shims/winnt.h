// Stands for the SDK's <winnt.h>: Wine's defines _InterlockedCompareExchange128, a builtin that
// clang refuses to see defined; the definition gets another name and the builtin stays.
#pragma once
#define _InterlockedCompareExchange128 lufio_shim_InterlockedCompareExchange128
#include_next <winnt.h>
#undef _InterlockedCompareExchange128
