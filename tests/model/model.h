// A reference model of one file and the file objects open on it: the bytes,
// each object's offset, what its access class offers, and every difference
// between back-ends, taken from one table of facts per back-end and platform.
// The model mirrors lufio's layering: FileIOBase's Seek and FileHandler's Size
// and default line reader run over the model's own tell, seek, read and write.
#ifndef LUFIO_TESTS_MODEL_MODEL_H_
#define LUFIO_TESTS_MODEL_MODEL_H_

#include <algorithm>
#include <cstdint>
#include <string>

#include "support/platform_facts.h"

namespace lufio::model {

using test::kOnWindows;
enum class Lines { kDefault, kFgets, kStream };

// What a back-end does where back-ends differ (README's table).
struct Facts {
  const char* name;
  bool other_whence_from_begin;  // a Whence outside 0-2 moves from the beginning, else from here
  bool append_starts_at_end;     // FileA: at the end after opening, else at 0
  bool append_writes_at_end;     // FileA: every write lands at the end, else where the offset is
  bool folds_text;               // text mode reads CR LF as LF
  bool text_read_is_one_block;   // a text Read folds one raw block of its size: short counts
  bool text_positions_exact;     // Tell, Seek and Size on a text-mode object are byte offsets
  bool eof_sticks;               // after a read met the end, reads give nothing until the next Tell, Seek or Size
  Lines lines;
  bool closed_throws;  // after Close: every operation throws (code 6 / 9); else Read 0, GetLine false, Flush nothing
  bool closed_calls_system;  // a closed object still hands its operations to the system
};

inline constexpr Facts kFacts[] = {
    {"Win", true, true, false, false, false, true, false, Lines::kDefault, true, true},
    {"Crt", false, false, true, kOnWindows, kOnWindows, true, false, Lines::kDefault, true, false},
    {"Stdio", false, false, true, kOnWindows, false, !kOnWindows, false, Lines::kFgets, true, false},
    {"Ios", true, !kOnWindows, true, kOnWindows, false, !kOnWindows, kOnWindows, Lines::kStream, false, false},
};

inline constexpr std::uint32_t kNoCode = 0xFFFFFFFF;  // a code the platforms do not agree on

enum Access { kR, kW, kRW, kA, kTextR };
inline bool CanRead(Access a) { return a == kR || a == kRW || a == kTextR; }
inline bool CanWrite(Access a) { return a == kW || a == kRW || a == kA; }

// What one call gave: its value or its Error.
struct Outcome {
  std::int64_t value = 0;
  std::string text;  // for GetLine and Read: the bytes the caller sees
  bool complete = false;
  std::string error;  // the Error's text, empty when none was thrown
  std::uint32_t code = kNoCode;
  bool operator==(const Outcome& o) const {
    const bool same_code = code == kNoCode || o.code == kNoCode || code == o.code;
    return value == o.value && text == o.text && complete == o.complete && error == o.error && same_code;
  }
};

struct Failure {
  const char* message;
  std::uint32_t code;
};

inline constexpr char kTell[] = "Failed to get file offset", kSeek[] = "Failed to move file pointer",
                      kFlush[] = "Failed to flush buffer", kRead[] = "Failed to read file",
                      kWrite[] = "Failed to write file", kOpen[] = "Failed to open";

class Object {
 public:
  Object(const Facts& f, std::string& disk, Access access, bool text)
      : f_(f), disk_(disk), access_(access), folds_(text && f.folds_text) {
    if (access == kW || access == kRW) disk_.clear();
    if (access == kA && f.append_starts_at_end) pos_ = Size64();
  }
  Access access() const { return access_; }
  bool open() const { return open_; }
  std::int64_t pos() const { return pos_; }
  bool PositionsExact() const { return !folds_ || f_.text_positions_exact; }
  void Close() { open_ = false; }
  // The next operation step of this kind fails with `code`, as the system call under it would.
  void Fail(const char* kind, std::uint32_t code) {
    fault_ = kind;
    fault_code_ = code;
  }

  std::int32_t Tell() {
    Closed(kTell);
    at_eof_ = false;
    return static_cast<std::int32_t>(pos_);
  }
  std::int32_t Size() {
    const std::int32_t saved = Tell(), size = seek(0, 2);
    seek(saved, 0);
    return size;
  }
  // FileIOBase::Seek: the target in wrapping 32-bit arithmetic, clamped.
  std::int32_t Seek(std::int32_t offset, std::int32_t whence) {
    const std::int32_t base = whence == 1 ? Tell() : whence == 2 ? Size() : 0;
    const auto target =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(offset));
    if (target < 0) return seek(0, 0);
    return target > Size() ? seek(0, 2) : seek(offset, whence);
  }
  void Flush() {
    if (f_.closed_throws) Closed(kFlush);
  }
  std::uint64_t Write(const std::string& data) {
    if (data.empty()) return 0;
    Closed(kWrite);
    if (access_ == kA && f_.append_writes_at_end) pos_ = Size64();
    if (pos_ > Size64()) disk_.resize(static_cast<std::size_t>(pos_), '\0');
    disk_.replace(static_cast<std::size_t>(pos_), data.size(), data);
    pos_ += static_cast<std::int64_t>(data.size());
    return data.size();
  }
  std::string Read(std::size_t n) {
    if (n == 0 || (!f_.closed_throws && !open_)) return {};
    Closed(kRead);
    return read(n);
  }
  // GetLine: `complete` in and out; value 1 or 0 for the result.
  Outcome GetLine(std::int32_t size, bool complete) {
    Outcome o;
    o.complete = complete;
    if (size <= 1) return o;  // no room for a character: nothing happens
    const auto room = static_cast<std::size_t>(size);
    std::string got;
    if (f_.lines == Lines::kDefault) {  // one read of the buffer, then back to the line feed
      Closed(kTell);
      const std::int64_t start = pos_;
      got = read(room);
      const std::size_t lf = got.find('\n');
      bool more = false;
      if (lf != std::string::npos) {
        seek(static_cast<std::int32_t>(start + static_cast<std::int64_t>(lf)), 0);
        read(1);
      } else if (got.size() == room) {
        pos_ = start + size - 1;
        got.pop_back();
        more = true;
      }
      return Line(o, got.substr(0, lf), !got.empty(), !more);
    }
    // fgets and the stream's reader: up to a line feed or a full buffer, which
    // looks at one more character and leaves it unless it is a line feed.
    if (f_.lines == Lines::kFgets) Closed(kRead);
    o.complete = o.complete || f_.lines == Lines::kStream;
    if (!open_) return o;
    std::string c;
    bool more = false;
    for (std::int64_t before = pos_; Next(c) && c != "\n"; before = pos_, got += c, c.clear()) {
      if (got.size() + 1 == room) {
        pos_ = before;
        more = true;
        break;
      }
    }
    std::string ahead;  // fgets: a zero byte hides the line feed, so it looks ahead too
    if (f_.lines == Lines::kFgets && c == "\n" && got.size() + 1 < room && got != CStr(got) && Next(ahead) &&
        ahead != "\n") {
      pos_ = ahead_pos_;
      more = true;
    }
    if (f_.lines == Lines::kStream) o.complete = !more;
    return Line(o, got, !got.empty() || c == "\n", !more);
  }

 private:
  static Outcome& Line(Outcome& o, const std::string& text, bool value, bool complete) {
    if (value) o = Outcome{1, CStr(text), complete, "", kNoCode};
    return o;
  }
  std::int64_t Size64() const { return static_cast<std::int64_t>(disk_.size()); }
  void Closed(const char* message) {
    if (fault_ == message && (open_ || f_.closed_calls_system)) throw Failure{message, fault_code_};
    if (!open_) throw Failure{message, f_.closed_throws ? static_cast<std::uint32_t>(test::kClosedHandle) : kNoCode};
  }
  static std::string CStr(const std::string& s) { return s.substr(0, s.find('\0')); }
  std::int32_t seek(std::int32_t offset, std::int32_t whence) {
    Closed(kSeek);
    at_eof_ = false;
    if (whence < 0 || whence > 2) whence = f_.other_whence_from_begin ? 0 : 1;
    pos_ = (whence == 0 ? 0 : whence == 1 ? pos_ : Size64()) + offset;
    return static_cast<std::int32_t>(pos_);
  }
  char At(std::int64_t i) const { return disk_[static_cast<std::size_t>(i)]; }
  // The next character of the stream, folded in text mode; false at the end.
  bool Next(std::string& out) {
    ahead_pos_ = pos_;
    if (pos_ >= Size64() || (at_eof_ && f_.eof_sticks)) return !(at_eof_ = true);
    const char c = At(pos_++);
    const bool fold = folds_ && c == '\r' && pos_ < Size64() && At(pos_) == '\n';
    pos_ += fold;
    out += fold ? '\n' : c;
    return true;
  }
  std::string read(std::size_t n) {
    std::string out;
    if (!folds_ || !f_.text_read_is_one_block) {
      while (out.size() < n && Next(out)) {
      }
      return out;
    }
    // One raw block folded in place, as the Windows runtime's _read does; a CR
    // that ends the block looks at the next byte.
    const std::int64_t end = std::min<std::int64_t>(Size64(), pos_ + static_cast<std::int64_t>(n));
    while (pos_ < end) {
      const char c = At(pos_++);
      if (c != '\r' || pos_ >= Size64() || At(pos_) != '\n') {
        out += c;
      } else if (pos_ < end || !test::kUnderWine || out.empty()) {
        out += '\n';
        ++pos_;
      }  // Wine drops a block's last CR before a LF and leaves the LF for the next read
    }
    return out;
  }

  const Facts& f_;
  std::string& disk_;
  Access access_;
  bool folds_;
  bool open_ = true, at_eof_ = false;
  const char* fault_ = nullptr;
  std::uint32_t fault_code_ = 0;
  std::int64_t pos_ = 0, ahead_pos_ = 0;
};

}  // namespace lufio::model

#endif  // LUFIO_TESTS_MODEL_MODEL_H_
