// The whole lusys interface: character views, output streams, paths, the
// character table, the base exception and the memory helpers.
#ifndef LUSYS_LUSYS_H_
#define LUSYS_LUSYS_H_

// lufio is C++17: an older standard stops here with this one message rather
// than with errors deep inside the headers. MSVC reports its standard in
// _MSVC_LANG (__cplusplus stays 199711L without /Zc:__cplusplus).
#if (defined(_MSVC_LANG) ? _MSVC_LANG : __cplusplus) < 201703L
#error "lusys needs C++17 or later: compile with -std=c++17 (MSVC: /std:c++17)"
#else

#include "lusys/char_table.h"
#include "lusys/exception.h"
#include "lusys/export.h"
#include "lusys/mem.h"
#include "lusys/ostream.h"
#include "lusys/path.h"
#include "lusys/types.h"

#endif  // C++17

#endif  // LUSYS_LUSYS_H_
