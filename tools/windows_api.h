// <windows.h> for the program's Windows files (*_win32.cpp), without the
// min/max macros and the rarely used parts.
#ifndef LUFIO_TOOLS_WINDOWS_API_H_
#define LUFIO_TOOLS_WINDOWS_API_H_

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#endif  // LUFIO_TOOLS_WINDOWS_API_H_
