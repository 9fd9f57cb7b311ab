// lufio's headers without the user's <windows.h>.
#include <lufio/dir_reader.h>
#include <lufio/lufio.h>

#include "min_max.h"
