// The iostream back-end: a FileHandler over one std::fstream held by value,
// and, for AdoptedIosHandlerFactory, over a std::iostream of its own on a
// stream buffer the caller owns (both share IosStreamHandler's operations).
//
// Positions go to the stream's buffer directly (pubseekoff), so the stream's
// state flags neither stop nor record them. Every operation but open and
// close resets those flags when it ends, so that end of file or a failure met
// by one call never stands in the way of the next. Lines come from the
// stream's own extraction; flush never throws; and, unlike the other
// back-ends, destroying the handler closes the file through the stream.
//
// The stream runs over the C runtime, which can fail with only its errno set:
// every operation that can fail clears the system's last error before its
// stream call and settles it right after a failure, as a write's but at open
// (any other may write out the stream's buffer; sys::SettleWriteError), so the
// code is that of the failure that happened, or 0 when no system call failed
// (a closed stream).
//
// The adopting handler's close pushes out what was written (pubsync) and
// points its stream at a file buffer that was never opened, so that every
// later call fails just as on a closed std::fstream; the caller's buffer is
// left as it is.
#include <cstdint>
#include <fstream>
#include <ios>
#include <memory>
#include <streambuf>

#include "backends/common.h"
#include "core/throw.h"
#include "platform.h"

namespace lufio {

namespace {

using detail::Fail;
using lusys::Long;

// Clears the stream's state flags when an operation ends, by return or by
// throw.
class StateReset {
 public:
  explicit StateReset(std::ios& stream) noexcept : stream_(stream) {}
  StateReset(const StateReset&) = delete;
  StateReset& operator=(const StateReset&) = delete;
  ~StateReset() {
    if (stream_.rdstate() != std::ios_base::goodbit) stream_.clear();
  }

 private:
  std::ios& stream_;
};

// Every operation but open and close, over the std::iostream a derived
// handler gives.
class IosStreamHandler : public FileHandler {
 protected:
  // `stream` need not be constructed yet: it is only referred to here.
  IosStreamHandler(const lusys::CPPathFileBase& path, std::iostream& stream) : FileHandler(path), stream_(stream) {}

  // The positions that Tell and Seek move for `mode`; false for a Mode
  // outside the enumeration.
  bool Choose(Mode mode) noexcept {
    switch (mode) {
      case ModeRead:
        which_ = std::ios_base::in;
        return true;
      case ModeWrite:
      case ModeAppend:
        which_ = std::ios_base::out;
        return true;
      case ModeReadWrite:
        which_ = std::ios_base::in | std::ios_base::out;
        return true;
    }
    return false;
  }

 private:
  Long tell() override {
    const StateReset reset(stream_);
    sys::ClearLastError();
    const std::streamoff position = stream_.rdbuf()->pubseekoff(0, std::ios_base::cur, which_);
    if (position == -1) Fail(detail::kTellFailed, *this, sys::SettleWriteError());
    if (position > kMaxPosition) Fail(detail::kTellFailed, *this, sys::kPositionOverflowError);
    return static_cast<Long>(position);
  }

  Long seek(Long offset, Whence whence) override {
    const StateReset reset(stream_);
    sys::ClearLastError();
    const std::streamoff position = stream_.rdbuf()->pubseekoff(offset, Way(whence), which_);
    if (position == -1) Fail(detail::kSeekFailed, *this, sys::SettleWriteError());
    // The stream has moved there all the same: nothing is undone.
    if (position > kMaxPosition) Fail(detail::kSeekFailed, *this, sys::kPositionOverflowError);
    return static_cast<Long>(position);
  }

  // The stream's positions are 64-bit; a larger one than this does not fit
  // the result and fails as the system's calls fail for it.
  static constexpr std::streamoff kMaxPosition = lusys::kLongMax;

  // Whatever the stream reports is dropped.
  void flush() override {
    const StateReset reset(stream_);
    stream_.flush();
  }

  std::uint64_t read(char* buffer, Long size) override {
    const StateReset reset(stream_);
    sys::ClearLastError();
    stream_.read(buffer, size);
    if (stream_.fail() && !stream_.eof()) Fail(detail::kReadFailed, *this, sys::SettleWriteError());
    return static_cast<std::uint64_t>(stream_.gcount());  // short only at end of file
  }

  std::uint64_t write(const char* data, Long size) override {
    const StateReset reset(stream_);
    sys::ClearLastError();
    stream_.write(data, size);
    if (stream_.fail()) Fail(detail::kWriteFailed, *this, sys::SettleWriteError());
    return static_cast<std::uint64_t>(size);
  }

  bool getline(char* buffer, Long size, bool& complete) override {
    const StateReset reset(stream_);
    sys::ClearLastError();
    stream_.getline(buffer, size);
    if (!stream_.fail()) {
      complete = true;
      return true;
    }
    if (stream_.bad()) Fail(detail::kReadFailed, *this, sys::SettleWriteError());
    // End of file (complete), or the buffer filled before the line ended.
    complete = stream_.eof();
    return stream_.gcount() > 0;
  }

  static std::ios_base::seekdir Way(Whence whence) noexcept {
    switch (whence) {
      case WhenceCurrent:
        return std::ios_base::cur;
      case WhenceEnd:
        return std::ios_base::end;
      default:
        return std::ios_base::beg;  // WhenceBegin and every value outside the enumeration
    }
  }

  std::iostream& stream_;
  std::ios_base::openmode which_{};
};

class IosHandler final : public IosStreamHandler {
 public:
  explicit IosHandler(const lusys::CPPathFileBase& path) : IosStreamHandler(path, file_) {}

 private:
  bool open(Mode mode, Type type) override {
    std::ios_base::openmode flags{};
    const bool known = Choose(mode);
    switch (mode) {
      case ModeRead:
        flags = std::ios_base::in;
        break;
      case ModeWrite:
        flags = std::ios_base::out | std::ios_base::trunc;
        break;
      case ModeReadWrite:
        flags = std::ios_base::in | std::ios_base::out | std::ios_base::trunc;
        break;
      case ModeAppend:
        flags = std::ios_base::out | std::ios_base::app;
        break;
      default:
        break;  // no valid open mode: the open fails
    }
    if (type == TypeBinary) flags |= std::ios_base::binary;  // any other Type opens in text mode
    const detail::PathText name(*this);
    sys::ClearLastError();
    file_.open(name.c_str(), flags);
    if (file_.is_open()) return true;
    sys::SettleLastError();
    // The stream refuses an invalid mode without asking the system, so the
    // reason is left for the owner here.
    if (!known) sys::SetLastError(sys::kInvalidArgumentError);
    return false;
  }

  void close() override {
    if (file_.is_open()) file_.close();
  }

  std::fstream file_;
};

class AdoptedIosHandler final : public IosStreamHandler {
 public:
  AdoptedIosHandler(const lusys::CPPathFileBase& path, std::streambuf* buffer)
      : IosStreamHandler(path, own_), own_(&closed_), adopted_(buffer) {}

 private:
  bool open(Mode mode, Type /*type*/) override {
    if (!Choose(mode)) {
      sys::SetLastError(sys::kInvalidArgumentError);
      return false;
    }
    own_.rdbuf(adopted_);  // also clears the state flags
    writes_ = mode != ModeRead;
    return true;
  }

  // Only a buffer open for writing is synchronised: syncing one that reads
  // may drop what it read ahead (fflush on an input stream).
  void close() override {
    if (own_.rdbuf() == &closed_) return;
    if (writes_) own_.rdbuf()->pubsync();
    own_.rdbuf(&closed_);
  }

  std::filebuf closed_;  // never opened: what a closed handler reads and writes
  std::iostream own_;
  std::streambuf* const adopted_;
  bool writes_ = false;
};

}  // namespace

LUFIO_DEFINE_FACTORY(IosHandlerFactory, IosHandler)
AdoptedIosHandlerFactory::AdoptedIosHandlerFactory(std::streambuf& buffer) noexcept : buffer_(&buffer) {}
AdoptedIosHandlerFactory::AdoptedIosHandlerFactory(const AdoptedIosHandlerFactory& other) noexcept = default;
AdoptedIosHandlerFactory& AdoptedIosHandlerFactory::operator=(const AdoptedIosHandlerFactory& other) noexcept {
  buffer_ = other.buffer_;
  return *this;
}
AdoptedIosHandlerFactory::~AdoptedIosHandlerFactory() = default;
std::unique_ptr<FileHandler> AdoptedIosHandlerFactory::Create(const lusys::CPPathFileBase& path) const {
  return std::make_unique<AdoptedIosHandler>(path, buffer_);
}

}  // namespace lufio
