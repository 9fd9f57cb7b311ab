// The whole lusys interface: character views, output streams, paths, the
// character table, the base exception and the memory helpers.
#ifndef LUSYS_LUSYS_H_
#define LUSYS_LUSYS_H_

#include "lusys/char_table.h"
#include "lusys/exception.h"
#include "lusys/export.h"
#include "lusys/mem.h"
#include "lusys/ostream.h"
#include "lusys/path.h"
#include "lusys/types.h"

#endif  // LUSYS_LUSYS_H_
