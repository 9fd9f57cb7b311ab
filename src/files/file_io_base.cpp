#include <lusys/ostream.h>
#include <lusys/types.h>

#include <cstring>

#include "core/last_error.h"
#include "core/throw.h"
#include "lufio/error.h"
#include "lufio/file_io.h"
#include "platform.h"

namespace lufio {

namespace {

// A sink that keeps nothing of what a path prints but whether a zero
// character came through: the system would take the name as cut there.
class ZeroFinder final : public lusys::BasicOStream<char> {
 public:
  void Write(const lusys::BasicRef<const char>& text) override {
    const auto n = static_cast<std::size_t>(text.Length());
    found_ = found_ || (n != 0 && std::memchr(text.Data(), '\0', n) != nullptr);
  }
  bool found() const noexcept { return found_; }

 private:
  bool found_ = false;
};

}  // namespace

FileIOBase::FileIOBase(const lusys::CPPathFileBase& path, FileHandler::Mode mode, FileHandler::Type type,
                       const FileHandlerFactory& factory)
    : handler_(factory.Create(path)) {
  ZeroFinder zero;
  path.Print(zero);
  if (zero.found()) throw Error(lusys::Literal(detail::kOpenFailed), path, sys::kInvalidNameError);
  if (!handler_->open(mode, type)) {
    const lusys::ULong code = detail::LastError();
    // The handler is destroyed without close while the exception leaves.
    throw Error(lusys::Literal(detail::kOpenFailed), path, code);
  }
}

FileIOBase::~FileIOBase() {
  try {
    handler_->close();
  } catch (...) {
    // A destructor reports nothing; Close is the way to see a failing close.
  }
}

void FileIOBase::Close() { handler_->close(); }

lusys::Long FileIOBase::Seek(lusys::Long offset, FileHandler::Whence whence) {
  lusys::Long base = 0;
  if (whence == FileHandler::WhenceCurrent) {
    base = handler_->tell();
  } else if (whence == FileHandler::WhenceEnd) {
    base = handler_->Size();
  }
  // 32-bit signed arithmetic, wrapping like the platform's `long` instead of
  // overflowing.
  const auto target = static_cast<lusys::Long>(static_cast<lusys::ULong>(base) + static_cast<lusys::ULong>(offset));
  if (target < 0) return handler_->seek(0, FileHandler::WhenceBegin);
  if (target > handler_->Size()) return handler_->seek(0, FileHandler::WhenceEnd);
  return handler_->seek(offset, whence);
}

void FileIOBase::Seek2Begin() { Seek(0, FileHandler::WhenceBegin); }

void FileIOBase::Seek2End() { Seek(0, FileHandler::WhenceEnd); }

lusys::Long FileIOBase::Size() { return handler_->Size(); }

lusys::Long FileIOBase::Tell() { return handler_->tell(); }

const lusys::CPPathFileBase& FileIOBase::GetFileName() const noexcept { return handler_->GetFileName(); }

}  // namespace lufio
