// The base exception of lusys and lufio: a fixed 256-byte message text and a
// 32-bit error code, copied without allocating.
#ifndef LUSYS_EXCEPTION_H_
#define LUSYS_EXCEPTION_H_

#include <cstddef>
#include <exception>

#include "lusys/export.h"
#include "lusys/ostream.h"
#include "lusys/types.h"

namespace lusys {

/// The base of lufio's exceptions: a message of at most 255 characters in a
/// fixed buffer and a 32-bit code, copied without allocating.
class LUSYS_API Exception : public std::exception {
 public:
  ~Exception() override;
  /// The message text here; lufio::Error and DirReader::Error return a fixed
  /// text instead ("File I/O error", "Directory read error"), so read the
  /// message with GetText() and the code with GetCode().
  const char* what() const noexcept override;
  /// Writes the message text followed by " (code N)".
  virtual void Print(BasicOStream<char>& out) const;

  /// The zero-terminated message text (what derived classes appended included).
  const char* GetText() const noexcept { return text_; }
  /// The code: as a rule the system's last error, read right after the failing call.
  ULong GetCode() const noexcept { return code_; }

 protected:
  /// Size of the message buffer, terminating zero included.
  static constexpr std::size_t kTextSize = 256;

  /// Keeps the first 255 characters of `message` and `code`.
  Exception(const BasicRef<const char>& message, ULong code) noexcept;
  /// Copy the text and the code.
  ///@{
  Exception(const Exception& other) noexcept;
  Exception& operator=(const Exception& other) noexcept;
  ///@}

  /// The calling thread's last system error code (GetLastError() on Windows,
  /// errno elsewhere). Read it right after the failing call.
  static ULong get_last_error() noexcept;

  /// A stream over the free tail of the message buffer, from the text's
  /// terminating zero to the buffer's end: what derived classes append through
  /// it is cut at the buffer's end and stays zero-terminated.
  BasicCStrRefOStream<char> TextTail() noexcept;

 private:
  char text_[kTextSize];
  ULong code_;
};

}  // namespace lusys

#endif  // LUSYS_EXCEPTION_H_
