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

class LUSYS_API Exception : public std::exception {
 public:
  ~Exception() override;
  // The message text.
  const char* what() const noexcept override;
  // Writes the message text followed by " (code N)".
  virtual void Print(BasicOStream<char>& out) const;

  // The zero-terminated message text (what derived classes appended included).
  const char* GetText() const noexcept { return text_; }
  ULong GetCode() const noexcept { return code_; }

 protected:
  // Size of the message buffer, terminating zero included.
  static constexpr std::size_t kTextSize = 256;

  // Keeps the first 255 characters of `message` and `code`.
  Exception(const BasicRef<const char>& message, ULong code) noexcept;
  Exception(const Exception& other) noexcept;
  Exception& operator=(const Exception& other) noexcept;

  // The calling thread's last system error code (GetLastError() on Windows,
  // errno elsewhere). Read it right after the failing call.
  static ULong get_last_error() noexcept;

  // The message buffer, for derived classes that append to the text in place.
  char* TextBuffer() noexcept { return text_; }

 private:
  char text_[kTextSize];
  ULong code_;
};

}  // namespace lusys

#endif  // LUSYS_EXCEPTION_H_
