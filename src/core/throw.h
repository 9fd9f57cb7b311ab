// The failures that every back-end reports, each thrown as lufio::Error with
// the handler's own path. The messages are the fixed texts callers match on.
#ifndef LUFIO_SRC_CORE_THROW_H_
#define LUFIO_SRC_CORE_THROW_H_

#include <lusys/types.h>

#include "core/last_error.h"
#include "lufio/error.h"
#include "lufio/file_handler.h"

namespace lufio::detail {

inline constexpr char kTellFailed[] = "Failed to get file offset";
inline constexpr char kSeekFailed[] = "Failed to move file pointer";
inline constexpr char kFlushFailed[] = "Failed to flush buffer";
inline constexpr char kReadFailed[] = "Failed to read file";
inline constexpr char kWriteFailed[] = "Failed to write file";
inline constexpr char kOpenFailed[] = "Failed to open";

// Throws Error(message, handler's path, code).
template <std::size_t N>
[[noreturn]] void Fail(const char (&message)[N], const FileHandler& handler, lusys::ULong code) {
  throw Error(lusys::Literal(message), handler.GetFileName(), code);
}

}  // namespace lufio::detail

#endif  // LUFIO_SRC_CORE_THROW_H_
