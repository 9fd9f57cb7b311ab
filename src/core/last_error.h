// Access to lusys::Exception::get_last_error() for the parts of lufio that do
// not derive from lusys::Exception (back-ends, file objects, the directory
// reader). Call it on the line right after the failing call.
#ifndef LUFIO_SRC_CORE_LAST_ERROR_H_
#define LUFIO_SRC_CORE_LAST_ERROR_H_

#include <lusys/exception.h>

namespace lufio::detail {

class LastErrorAccess : public lusys::Exception {
 public:
  using lusys::Exception::get_last_error;
};

inline lusys::ULong LastError() noexcept { return LastErrorAccess::get_last_error(); }

}  // namespace lufio::detail

#endif  // LUFIO_SRC_CORE_LAST_ERROR_H_
