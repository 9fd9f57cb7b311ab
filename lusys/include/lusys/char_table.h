// A set of byte values, searched for in character views.
#ifndef LUSYS_CHAR_TABLE_H_
#define LUSYS_CHAR_TABLE_H_

#include <cstdint>

#include "lusys/export.h"
#include "lusys/types.h"

namespace lusys {

/// A set of byte values; the line reader's end-of-line set is one.
class LUSYS_API CharTable {
 public:
  /// The set that holds the one byte `c`.
  explicit CharTable(unsigned char c) noexcept;
  ~CharTable();

  /// How many leading characters of `text` are not in the set: the index of
  /// the first one that is, or the view's length when none is.
  std::uint64_t LengthNotOf(const BasicRef<const char>& text) const noexcept;

 private:
  unsigned char member_;
};

}  // namespace lusys

#endif  // LUSYS_CHAR_TABLE_H_
