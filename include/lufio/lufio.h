// Every exported class of lufio: the handler interface, the four back-end
// factories and those that adopt an open handle, descriptor, FILE* or stream
// buffer (with the process's standard streams), the file objects (the safe
// save among them), whole-file reads and saves, the file error and the
// directory reader and the walk over a tree.
#ifndef LUFIO_LUFIO_H_
#define LUFIO_LUFIO_H_

// lufio is C++17: an older standard stops here with this one message rather
// than with errors deep inside the headers. MSVC reports its standard in
// _MSVC_LANG (__cplusplus stays 199711L without /Zc:__cplusplus).
#if (defined(_MSVC_LANG) ? _MSVC_LANG : __cplusplus) < 201703L
#error "lufio needs C++17 or later: compile with -std=c++17 (MSVC: /std:c++17)"
#else

#include <lusys/lusys.h>

#include "lufio/adopted.h"
#include "lufio/dir_reader.h"
#include "lufio/dir_tree_reader.h"
#include "lufio/error.h"
#include "lufio/export.h"
#include "lufio/factories.h"
#include "lufio/file_handler.h"
#include "lufio/file_io.h"
#include "lufio/safe_file.h"
#include "lufio/whole_file.h"

#endif  // C++17

#endif  // LUFIO_LUFIO_H_
