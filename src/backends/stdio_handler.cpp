// The C stdio back-end: a FileHandler over one buffered FILE stream.
//
// It honours Type through the fopen mode string, refuses a directory at open
// (as Windows' runtime does), has its own line reader
// (fgets with a one-character look-ahead, never a seek), and reports read and
// write errors with the stream's ferror value as the code. A closed handler
// never hands a null stream to the runtime: every transfer or positioning
// operation on it throws its Error with the system's invalid-handle code.
//
// Two promises beyond C's stream rules, kept with a zero fseek (the standard
// way to switch a stream's direction; it also clears the end-of-file
// indicator): a read right after a write, or a write right after a read, on a
// FileRW shares one offset and loses nothing; and a read that comes after end
// of file sees what another object appended since, as the other back-ends do.
// On a stream that cannot seek (a pipe) the second needs no fseek: clearing
// the end-of-file indicator alone lets the next read ask the system again.
//
// AdoptedStdioHandler, for AdoptedStdioHandlerFactory, is the same handler
// over a stream the caller opened: its open takes that stream, its close
// pushes out what was written and forgets the stream without closing it.
#include <cstdio>
#include <cstring>
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

class StdioHandler : public FileHandler {
 public:
  explicit StdioHandler(const lusys::CPPathFileBase& path) : FileHandler(path) {}

 private:
  Long tell() override {
    if (fp_ == nullptr) Fail(detail::kTellFailed, *this, sys::kClosedHandleError);
    const long offset = sys::ftell(fp_);  // -1 also for a position beyond 32 bits
    if (offset == -1) Fail(detail::kTellFailed, *this, LastError());
    return static_cast<Long>(offset);
  }

  Long seek(Long offset, Whence whence) override {
    if (fp_ == nullptr) Fail(detail::kSeekFailed, *this, sys::kClosedHandleError);
    if (sys::fseek(fp_, offset, detail::SeekOrigin(whence)) != 0) Fail(detail::kSeekFailed, *this, LastError());
    last_ = kNone;
    return tell();
  }

  void flush() override {
    if (fp_ == nullptr) Fail(detail::kFlushFailed, *this, sys::kClosedHandleError);
    if (sys::fflush(fp_) != 0) Fail(detail::kFlushFailed, *this, LastError());
  }

  bool open(Mode mode, Type type) override {
    const char* modes = ModeString(mode, type);
    if (modes == nullptr) {
      // No mode string for this Mode: the open fails like any other.
      sys::SetLastError(sys::kInvalidArgumentError);
      return false;
    }
    const detail::PathText name(*this);
    fp_ = sys::fopen(name.c_str(), modes);
    last_ = kNone;
    return fp_ != nullptr;
  }

  void close() override {
    if (fp_ == nullptr) return;
    std::fclose(fp_);
    fp_ = nullptr;
  }

  std::uint64_t read(char* buffer, Long size) override {
    if (fp_ == nullptr) Fail(detail::kReadFailed, *this, sys::kClosedHandleError);
    turnTo(kReading);
    const std::size_t n = std::fread(buffer, 1, static_cast<std::size_t>(size), fp_);
    if (n < static_cast<std::size_t>(size)) checkReadError();
    return n;
  }

  std::uint64_t write(const char* data, Long size) override {
    if (fp_ == nullptr) Fail(detail::kWriteFailed, *this, sys::kClosedHandleError);
    turnTo(kWriting);
    const std::size_t n = std::fwrite(data, 1, static_cast<std::size_t>(size), fp_);
    if (n < static_cast<std::size_t>(size)) Fail(detail::kWriteFailed, *this, ErrorIndicator());
    return n;
  }

  bool getline(char* buffer, Long size, bool& complete) override {
    if (fp_ == nullptr) Fail(detail::kReadFailed, *this, sys::kClosedHandleError);
    turnTo(kReading);
    if (std::fgets(buffer, static_cast<int>(size), fp_) == nullptr) {
      checkReadError();
      return false;
    }
    if (char* feed = std::strchr(buffer, '\n'); feed != nullptr) {
      *feed = '\0';
      complete = true;
      return true;
    }
    if (std::feof(fp_) != 0) {
      complete = true;  // the last line has no line feed
      return true;
    }
    // The buffer filled up: look one character ahead to see whether the line
    // ended exactly at the buffer's capacity.
    const int next = std::fgetc(fp_);
    if (next == '\n' || next == EOF) {
      complete = true;
      return true;
    }
    std::ungetc(next, fp_);
    complete = false;
    return true;
  }

 protected:
  enum Direction { kNone, kReading, kWriting };

 private:
  // Prepares the stream for a transfer in `direction`: a zero fseek when the
  // last transfer went the other way, or before reading at end of file (where
  // glibc's stream would otherwise stay at its end and Windows' would mix the
  // read with the unwritten buffer). A change of direction that the stream
  // cannot make throws "Failed to move file pointer" with the system's code;
  // at the end of a stream that cannot seek, clearing the end-of-file
  // indicator (the error indicator is left as it is) does the fseek's work.
  void turnTo(Direction direction) {
    const bool turn = last_ != kNone && last_ != direction;
    if (turn || (direction == kReading && std::feof(fp_) != 0)) {
      // The stream's own fseek: a move by 0 from here needs no 32-bit rule,
      // and fails only where writing out the buffer or moving at all fails.
      sys::ClearLastError();
      if (std::fseek(fp_, 0, SEEK_CUR) != 0) {
        if (turn) Fail(detail::kSeekFailed, *this, sys::SettleWriteError());
        if (std::ferror(fp_) == 0) std::clearerr(fp_);
      }
    }
    last_ = direction;
  }

  // Throws "Failed to read file" with the stream's error indicator when a
  // short read was not the end of the file.
  void checkReadError() {
    if (std::feof(fp_) != 0) return;
    const lusys::ULong e = ErrorIndicator();
    if (e != 0) Fail(detail::kReadFailed, *this, e);
  }

  lusys::ULong ErrorIndicator() const noexcept { return static_cast<lusys::ULong>(std::ferror(fp_)); }

  static const char* ModeString(Mode mode, Type type) noexcept {
    const bool binary = type != TypeText;
    switch (mode) {
      case ModeRead:
        return binary ? "rb" : "r";
      case ModeWrite:
        return binary ? "wb" : "w";
      case ModeReadWrite:
        return binary ? "wb+" : "w+";
      case ModeAppend:
        return binary ? "ab+" : "a";
    }
    return nullptr;
  }

 protected:
  std::FILE* fp_ = nullptr;
  Direction last_ = kNone;  // the direction of the last transfer since open or seek
};

class AdoptedStdioHandler final : public StdioHandler {
 public:
  AdoptedStdioHandler(const lusys::CPPathFileBase& path, std::FILE* stream) : StdioHandler(path), adopted_(stream) {}

 private:
  bool open(Mode /*mode*/, Type /*type*/) override {
    if (adopted_ == nullptr) {
      sys::SetLastError(sys::kClosedHandleError);
      return false;
    }
    fp_ = adopted_;
    last_ = kNone;
    return true;
  }

  // Only a stream last written is flushed: fflush on an input stream is
  // undefined in C. What it reports is dropped, as a close's is.
  void close() override {
    if (fp_ != nullptr && last_ == kWriting) std::fflush(fp_);
    fp_ = nullptr;
  }

  std::FILE* const adopted_;
};

}  // namespace

LUFIO_DEFINE_FACTORY(StdioHandlerFactory, StdioHandler)
LUFIO_DEFINE_ADOPTING_FACTORY(AdoptedStdioHandlerFactory, AdoptedStdioHandler, std::FILE*, stream_)

}  // namespace lufio
