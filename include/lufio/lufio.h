// Every exported class of lufio: the handler interface and the four back-end
// factories, the file objects, the file error and the directory reader.
#ifndef LUFIO_LUFIO_H_
#define LUFIO_LUFIO_H_

#include <lusys/lusys.h>

#include "lufio/dir_reader.h"
#include "lufio/error.h"
#include "lufio/export.h"
#include "lufio/factories.h"
#include "lufio/file_handler.h"
#include "lufio/file_io.h"

#endif  // LUFIO_LUFIO_H_
