// lufio::Error, the one exception type for file failures.
//
// An Error carries a fixed message ("Failed to open", "Failed to read file",
// ...), the path of the file concerned and an error code (as a rule the
// system's last error, read right after the failing call). It keeps all its
// text in fixed arrays inside the object and never allocates. Catch it as
// lufio::Error, lusys::Exception or std::exception.
#ifndef LUFIO_ERROR_H_
#define LUFIO_ERROR_H_

#include <lusys/exception.h>
#include <lusys/ostream.h>
#include <lusys/path.h>
#include <lusys/types.h>

#include "lufio/export.h"

namespace lufio {

/// The exception of every file failure: a fixed message, the file's path and
/// the system's code, kept in fixed arrays. Its what() is "File I/O error";
/// GetText() is the message.
class LUFIO_API Error : public lusys::Exception {
 public:
  /// The base's text becomes `message`, ": file=" and the printed path, cut at
  /// the end of the 256-byte buffer; GetFileName keeps up to 260 characters of
  /// the path. Never fails on long input.
  Error(const lusys::BasicRef<const char>& message, const lusys::CPPathFileBase& path, lusys::ULong code);
  /// Copy the texts and the code; never allocate.
  ///@{
  Error(const Error& other) noexcept;
  Error& operator=(const Error& other) noexcept;
  ///@}
  ~Error() override;

  /// Always "File I/O error".
  const char* what() const noexcept override;
  /// The path text, at most 260 characters; valid while the object lives.
  const char* GetFileName() const noexcept { return pathText_.Get(); }

 private:
  lusys::CStrOStream<260, char> pathText_;
};

}  // namespace lufio

#endif  // LUFIO_ERROR_H_
