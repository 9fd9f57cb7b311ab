#include "lufio/file_handler.h"

#include <lusys/mem.h>

#include "core/throw.h"
#include "platform.h"

namespace lufio {

namespace {

// Hands `left` bytes to `op` in pieces of at most FileHandler::kChunk bytes
// and returns the total; a piece that moves nothing ends the transfer, and the
// last piece's count is taken whatever it is.
template <class Char, class Op>
std::uint64_t SplitTransfer(Char* data, std::uint64_t left, Op op) {
  std::uint64_t total = 0;
  while (left > static_cast<std::uint64_t>(FileHandler::kChunk)) {
    const std::uint64_t n = op(data, FileHandler::kChunk);
    if (n == 0) return total;
    total += n;
    data += n;
    left -= n;
  }
  if (left != 0) total += op(data, static_cast<lusys::Long>(left));
  return total;
}

}  // namespace

const lusys::CharTable FileHandler::EOL(10);

FileHandler::FileHandler(const lusys::CPPathFileBase& path) : path_(path.Clone()) {}

FileHandler::~FileHandler() { delete path_; }

lusys::Long FileHandler::Size() {
  const lusys::Long saved = tell();
  const lusys::Long size = seek(0, WhenceEnd);
  seek(saved, WhenceBegin);
  return size;
}

// Read and Write take this way for a null view too: an empty one moves
// nothing, one with a length is refused before the back-end could touch it.
std::uint64_t FileHandler::ReadPieces(lusys::BasicRef<char> buffer) {
  if (buffer.Data() == nullptr && buffer.Length() != 0) {
    detail::Fail(detail::kReadFailed, *this, sys::kInvalidArgumentError);
  }
  return SplitTransfer(buffer.Data(), buffer.Length(), [this](char* p, lusys::Long n) { return read(p, n); });
}

std::uint64_t FileHandler::WritePieces(lusys::BasicRef<const char> data) {
  if (data.Data() == nullptr && data.Length() != 0) {
    detail::Fail(detail::kWriteFailed, *this, sys::kInvalidArgumentError);
  }
  return SplitTransfer(data.Data(), data.Length(), [this](const char* p, lusys::Long n) { return write(p, n); });
}

bool FileHandler::GetLine(char* buffer, lusys::Long size, bool& complete) {
  if (size <= 1) return false;
  if (buffer == nullptr) detail::Fail(detail::kReadFailed, *this, sys::kInvalidArgumentError);
  return getline(buffer, size, complete);
}

bool FileHandler::getline(char* buffer, lusys::Long size, bool& complete) {
  lusys::MemZero(buffer, static_cast<std::size_t>(size));
  const lusys::Long start = tell();
  const std::uint64_t count = read(buffer, size);
  if (count == 0) return false;
  const std::uint64_t index = EOL.LengthNotOf(lusys::BasicRef<const char>(buffer, count));
  if (index < count) {
    // Back to the line feed itself and read it again, which leaves the offset
    // just behind the line end.
    seek(start + static_cast<lusys::Long>(index), WhenceBegin);
    read(buffer + index, 1);
    buffer[index] = '\0';
    complete = true;
    return true;
  }
  if (count < static_cast<std::uint64_t>(size)) {
    // The file ended inside the buffer. The text ends at the count: a runtime
    // may leave bytes past it (Windows' text mode stops at 0x1A inside the
    // raw block it read), so the zero fill alone is not enough.
    buffer[count] = '\0';
    complete = true;
    return true;
  }
  // The line goes on: the last byte read is overwritten by the terminator and
  // read again by the next call.
  seek(start + size - 1, WhenceBegin);
  buffer[size - 1] = '\0';
  complete = false;
  return true;
}

}  // namespace lufio
