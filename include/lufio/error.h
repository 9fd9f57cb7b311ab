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
///
/// Every file object and back-end reports a failure by throwing an Error by
/// value; read its message with GetText(), the system's code with GetCode()
/// and the file's name with GetFileName().
///
/// @snippet reference.cpp Error
///
/// Rules:
/// - GetText() is one of the fixed messages, ": file=" and the path:
///   "Failed to open", "Failed to read file", "Failed to write file",
///   "Failed to move file pointer", "Failed to get file offset", "Failed to
///   flush buffer", and from SafeFileW also "Failed to replace file" and
///   "Failed to flush folder". The text is cut at 255 characters.
/// - GetCode() is the code read right after the failing call: GetLastError()
///   on Windows, errno elsewhere. The codes a program meets, by platform, are
///   listed in @ref error_codes.
/// - A directory listing throws DirReader::Error instead: catch
///   lusys::Exception, the base of both, to handle every failure of lufio.
/// - Copying never allocates and never throws; the end of a file is never an
///   error.
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
