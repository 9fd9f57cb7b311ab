// The C runtime descriptor back-end: a FileHandler over one low-level runtime
// descriptor.
//
// Each transfer or positioning operation is one runtime call, positions are
// 32-bit, Type chooses the runtime's text or binary mode, and lines are read
// by FileHandler's default reader. A closed handler never hands the
// descriptor -1 to the runtime (which takes it as an invalid parameter):
// every transfer or positioning operation on it throws its Error with the
// system's invalid-handle code.
//
// AdoptedCrtHandler, for AdoptedCrtHandlerFactory, is the same handler over a
// descriptor the caller opened: its open takes that descriptor, its close
// forgets it without closing it.
#include <cstdint>
#include <cstdio>
#include <memory>

#include "backends/common.h"
#include "core/last_error.h"
#include "core/throw.h"
#include "platform.h"

namespace lufio {

namespace {

using detail::Fail;
using detail::LastError;
using lusys::Long;

class CrtHandler : public FileHandler {
 public:
  explicit CrtHandler(const lusys::CPPathFileBase& path) : FileHandler(path) {}

 private:
  Long tell() override {
    if (fd_ == -1) Fail(detail::kTellFailed, *this, sys::kClosedHandleError);
    const Long offset = sys::_tell(fd_);
    if (offset == -1) Fail(detail::kTellFailed, *this, LastError());
    return offset;
  }

  Long seek(Long offset, Whence whence) override {
    if (fd_ == -1) Fail(detail::kSeekFailed, *this, sys::kClosedHandleError);
    const Long position = sys::_lseek(fd_, offset, detail::SeekOrigin(whence));
    if (position == -1) Fail(detail::kSeekFailed, *this, LastError());
    return position;
  }

  void flush() override {
    if (fd_ == -1) Fail(detail::kFlushFailed, *this, sys::kClosedHandleError);
    if (sys::_commit(fd_) != 0) Fail(detail::kFlushFailed, *this, LastError());
  }

  bool open(Mode mode, Type type) override {
    const detail::PathText name(*this);
    const int flags = AccessFlags(mode) | TypeFlags(type);
    int fd = -1;
    if (sys::_sopen_dispatch(name.c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE, &fd, 0) != 0) fd = -1;
    fd_ = fd;
    return fd_ != -1;
  }

  void close() override {
    if (fd_ == -1) return;
    sys::_close(fd_);
    fd_ = -1;
  }

  std::uint64_t read(char* buffer, Long size) override {
    if (fd_ == -1) Fail(detail::kReadFailed, *this, sys::kClosedHandleError);
    const int n = sys::_read(fd_, buffer, static_cast<unsigned>(size));
    if (n == -1) Fail(detail::kReadFailed, *this, LastError());
    return static_cast<std::uint64_t>(n);
  }

  std::uint64_t write(const char* data, Long size) override {
    if (fd_ == -1) Fail(detail::kWriteFailed, *this, sys::kClosedHandleError);
    const int n = sys::_write(fd_, data, static_cast<unsigned>(size));
    if (n == -1) Fail(detail::kWriteFailed, *this, LastError());
    return static_cast<std::uint64_t>(n);
  }

  static int AccessFlags(Mode mode) noexcept {
    switch (mode) {
      case ModeWrite:
        return _O_WRONLY | _O_CREAT | _O_TRUNC;
      case ModeReadWrite:
        return _O_RDWR | _O_CREAT | _O_TRUNC;
      case ModeAppend:
        return _O_WRONLY | _O_APPEND | _O_CREAT;
      default:
        return _O_RDONLY;  // ModeRead and every value outside the enumeration
    }
  }

  // Every non-zero Type counts as binary; no descriptor is inherited by
  // child processes.
  static int TypeFlags(Type type) noexcept { return (type == TypeText ? _O_TEXT : _O_BINARY) | _O_NOINHERIT; }

 protected:
  int fd_ = -1;
};

class AdoptedCrtHandler final : public CrtHandler {
 public:
  AdoptedCrtHandler(const lusys::CPPathFileBase& path, int fd) : CrtHandler(path), adopted_(fd) {}

 private:
  bool open(Mode /*mode*/, Type /*type*/) override {
    if (adopted_ == -1) {
      sys::SetLastError(sys::kClosedHandleError);
      return false;
    }
    fd_ = adopted_;
    return true;
  }

  void close() override { fd_ = -1; }

  const int adopted_;
};

}  // namespace

LUFIO_DEFINE_FACTORY(CrtHandlerFactory, CrtHandler)
LUFIO_DEFINE_ADOPTING_FACTORY(AdoptedCrtHandlerFactory, AdoptedCrtHandler, int, fd_)

}  // namespace lufio
