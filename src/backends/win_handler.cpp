// The Win32 handle back-end: a FileHandler over one Win32 file handle.
//
// Each transfer or positioning operation is one system call. Positions are
// 32-bit (SetFilePointer without its high part), Type is ignored (there is no
// text mode), and lines are read by FileHandler's default reader. A closed
// handler hands INVALID_HANDLE_VALUE to the system, which rejects it with its
// own code.
//
// AdoptedWinHandler, for AdoptedWinHandlerFactory, is the same handler over a
// handle the caller opened: its open takes that handle (no move to the end
// for FileA), its close forgets it without closing it, and a read from a
// pipe whose writer has gone (ERROR_BROKEN_PIPE) is the end, as the C
// runtime takes it: adopted handles are standard input and pipes above all.
#include <cstdint>
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

class WinHandler : public FileHandler {
 public:
  explicit WinHandler(const lusys::CPPathFileBase& path) : FileHandler(path) {}

 private:
  Long tell() override {
    const sys::DWORD position = sys::SetFilePointer(handle_, 0, nullptr, FILE_CURRENT);
    if (position == INVALID_SET_FILE_POINTER) Fail(detail::kTellFailed, *this, LastError());
    return static_cast<Long>(position);  // 2 GiB to 4 GiB come back negative
  }

  Long seek(Long offset, Whence whence) override {
    const sys::DWORD position = sys::SetFilePointer(handle_, offset, nullptr, Method(whence));
    if (position == INVALID_SET_FILE_POINTER) Fail(detail::kSeekFailed, *this, LastError());
    return static_cast<Long>(position);
  }

  void flush() override {
    if (sys::FlushFileBuffers(handle_) == 0) Fail(detail::kFlushFailed, *this, LastError());
  }

  bool open(Mode mode, Type /*type*/) override {
    const Disposition how = DispositionOf(mode);
    const detail::PathText name(*this);
    handle_ = sys::CreateFileA(name.c_str(), how.access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, how.disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (mode == ModeAppend) {
      // The owner destroys a handler whose open throws without closing it,
      // so the handle is released here.
      try {
        seek(0, WhenceEnd);
      } catch (...) {
        close();
        throw;
      }
    }
    return true;
  }

  void close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    sys::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  std::uint64_t read(char* buffer, Long size) override {
    sys::DWORD done = 0;
    if (sys::ReadFile(handle_, buffer, static_cast<sys::DWORD>(size), &done) == 0) {
      Fail(detail::kReadFailed, *this, LastError());
    }
    return done;
  }

  std::uint64_t write(const char* data, Long size) override {
    sys::DWORD done = 0;
    if (sys::WriteFile(handle_, data, static_cast<sys::DWORD>(size), &done) == 0) {
      Fail(detail::kWriteFailed, *this, LastError());
    }
    return done;
  }

  struct Disposition {
    sys::DWORD access;
    sys::DWORD disposition;
  };

  static Disposition DispositionOf(Mode mode) noexcept {
    switch (mode) {
      case ModeRead:
        return {GENERIC_READ, OPEN_EXISTING};
      case ModeWrite:
        return {GENERIC_WRITE, CREATE_ALWAYS};
      case ModeReadWrite:
        return {GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS};
      case ModeAppend:
        return {GENERIC_WRITE, OPEN_ALWAYS};
    }
    return {0, 0};  // no valid disposition: CreateFileA fails
  }

  static sys::DWORD Method(Whence whence) noexcept {
    switch (whence) {
      case WhenceCurrent:
        return FILE_CURRENT;
      case WhenceEnd:
        return FILE_END;
      default:
        return FILE_BEGIN;  // WhenceBegin and every value outside the enumeration
    }
  }

 protected:
  sys::HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class AdoptedWinHandler final : public WinHandler {
 public:
  AdoptedWinHandler(const lusys::CPPathFileBase& path, void* handle)
      : WinHandler(path), adopted_(static_cast<sys::HANDLE>(handle)) {}

 private:
  bool open(Mode /*mode*/, Type /*type*/) override {
    if (adopted_ == INVALID_HANDLE_VALUE) {
      sys::SetLastError(sys::kClosedHandleError);
      return false;
    }
    handle_ = adopted_;
    return true;
  }

  void close() override { handle_ = INVALID_HANDLE_VALUE; }

  std::uint64_t read(char* buffer, Long size) override {
    sys::DWORD done = 0;
    if (sys::ReadFile(handle_, buffer, static_cast<sys::DWORD>(size), &done) == 0) {
      const lusys::ULong code = LastError();
      if (code == sys::kBrokenPipeError) return 0;
      Fail(detail::kReadFailed, *this, code);
    }
    return done;
  }

  const sys::HANDLE adopted_;
};

}  // namespace

LUFIO_DEFINE_FACTORY(WinHandlerFactory, WinHandler)
LUFIO_DEFINE_ADOPTING_FACTORY(AdoptedWinHandlerFactory, AdoptedWinHandler, void*, handle_)

}  // namespace lufio
