// A reference model of one file and the file objects open on it: the bytes,
// each object's offset, what its access class offers, and every difference
// between back-ends, taken from one table of facts per back-end and platform.
// The model mirrors lufio's layering: FileIOBase's Seek and FileHandler's Size
// and default line reader run over the model's own tell, seek, read and write.
//
// The driver: random sequences of operations on real lufio objects and on the
// model at once, every result and every Error compared, and at the end the
// file's bytes and the process's open descriptors. A Source chooses
// everything (a seeded generator in the test suite, the input bytes in the
// fuzz target): Pick(n) gives a value below n, Done() ends the run.
//
// Several objects may be open on the file at once. While they are, writes go
// to the end of the file only and are flushed at once, and a new object opens
// after the others have flushed: what each buffered back-end then reads is
// defined, and the model needs no buffers.
#ifndef LUFIO_TESTS_MODEL_MODEL_H_
#define LUFIO_TESTS_MODEL_MODEL_H_

#include <lufio/lufio.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

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

// The factory of row i of the table.
inline const FileHandlerFactory& FactoryOf(int i) {
  static const WinHandlerFactory win;
  static const CrtHandlerFactory crt;
  static const StdioHandlerFactory stdio;
  static const IosHandlerFactory ios;
  const FileHandlerFactory* const all[] = {&win, &crt, &stdio, &ios};
  return *all[i];
}

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
  // A buffered stream met the runtime's end-of-file mark: what it reads or
  // where it is from here on is the runtime's own, and no longer compared.
  bool PastMark() const { return past_mark_; }
  void Close() { open_ = false; }
  // The next operation step of this kind fails with `code`, as the system call under it would.
  void Fail(const char* kind, std::uint32_t code) {
    fault_ = kind;
    fault_code_ = code;
  }

  std::int32_t Tell() {
    Closed(kTell);
    at_eof_ = at_mark_ = false;
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
      const std::int64_t start = Tell();  // a move: it leaves the end-of-file mark behind
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
    // A closed stream fails without a system call: code 0. A closed handle goes to the system.
    const std::uint32_t closed = f_.closed_throws ? test::kClosedHandle : f_.closed_calls_system ? kNoCode : 0;
    if (!open_) throw Failure{message, closed};
  }
  static std::string CStr(const std::string& s) { return s.substr(0, s.find('\0')); }
  std::int32_t seek(std::int32_t offset, std::int32_t whence) {
    Closed(kSeek);
    at_eof_ = at_mark_ = false;
    if (whence < 0 || whence > 2) whence = f_.other_whence_from_begin ? 0 : 1;
    pos_ = (whence == 0 ? 0 : whence == 1 ? pos_ : Size64()) + offset;
    return static_cast<std::int32_t>(pos_);
  }
  char At(std::int64_t i) const { return disk_[static_cast<std::size_t>(i)]; }
  // Windows' text mode takes 0x1A as the end of the file.
  bool AtMark(std::int64_t i) const { return folds_ && At(i) == '\x1a'; }
  // The next character of the stream, folded in text mode; false at the end.
  bool Next(std::string& out) {
    ahead_pos_ = pos_;
    past_mark_ = past_mark_ || (pos_ < Size64() && AtMark(pos_));
    if (pos_ >= Size64() || (at_eof_ && f_.eof_sticks) || past_mark_) return !(at_eof_ = true);
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
    // that ends the block looks at the next byte. At 0x1A the text ends, the
    // offset stays behind the block, and reads give nothing until the next move.
    const std::int64_t end = std::min<std::int64_t>(Size64(), pos_ + static_cast<std::int64_t>(n));
    while (pos_ < end && !at_mark_) {
      if ((at_mark_ = AtMark(pos_))) {
        pos_ = end;
        break;
      }
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
  bool open_ = true, at_eof_ = false, at_mark_ = false, past_mark_ = false;
  const char* fault_ = nullptr;
  std::uint32_t fault_code_ = 0;
  std::int64_t pos_ = 0, ahead_pos_ = 0;
};

inline std::string Show(const Outcome& o) {
  std::string s = "value " + std::to_string(o.value) + " complete " + std::to_string(o.complete) + " text[";
  for (const char c : o.text) s += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\0' ? "\\0" : std::string(1, c);
  return s + "] error '" + o.error + "' code " + std::to_string(o.code);
}

template <class Source>
class Driver {
 public:
  Driver(const FileHandlerFactory& factory, const Facts& facts, std::string path, Source& src)
      : factory_(factory), f_(facts), path_(std::move(path)), src_(src) {}

  // Makes the next system call under operation i (Tell, Size's move, Flush,
  // Read, Write) fail with `code`, or with i < 0 clears it; false where the
  // back-end has no such seam.
  std::function<bool(int i, std::uint32_t code)> fail = [](int, std::uint32_t) { return false; };
  bool count_descriptors = true;  // false while other threads open files

  // Runs up to `ops` operations; returns the first disagreement, or "".
  std::string Run(int ops) {
    std::remove(path_.c_str());
    const long descriptors = test::OpenDescriptors();
    if ((exists_ = src_.Pick(5) != 0)) {
      disk_ = Bytes(src_.Pick(std::array<unsigned, 3>{30, 300, 6000}[src_.Pick(3)]));
      std::ofstream(path_, std::ios::binary) << disk_;
    }
    for (int i = 0; i < ops && !src_.Done() && error_.empty(); ++i) Step(i);
    slots_.clear();  // destruction closes every object
    std::ifstream in(path_, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (error_.empty() && (in.is_open() != exists_ || bytes != disk_)) {
      error_ = "bytes on disk: " + std::to_string(bytes.size()) + " vs " + std::to_string(disk_.size());
    }
    in.close();
    if (error_.empty() && count_descriptors && test::OpenDescriptors() != descriptors)
      error_ = "descriptors left open" + history_;
    return error_;
  }

 private:
  // A model object and its real one, as each access class it is (or null).
  struct Slot {
    Object m;
    std::unique_ptr<FileIOBase> r;
    FileR* reader = dynamic_cast<FileR*>(r.get());
    TextFileR* text = dynamic_cast<TextFileR*>(r.get());
    FileW* writer = dynamic_cast<FileW*>(r.get());
    FileA* appender = dynamic_cast<FileA*>(r.get());
  };

  std::int32_t Pick(unsigned n) { return static_cast<std::int32_t>(src_.Pick(n)); }
  std::size_t Length() {
    const unsigned kind = src_.Pick(4);
    return kind == 0 ? 0 : kind == 1 ? 1 + src_.Pick(16) : src_.Pick(kind == 2 ? 700 : 10000);
  }
  // Lines with LF, CR LF, lone CR, zero bytes and 0x1A, from one seed.
  std::string Bytes(std::size_t n) {
    static const char kAlphabet[] = "ab\r\n\nxyz\0 \x1a";
    std::uint32_t x = src_.Pick(65536) * 2654435761u + 1;
    std::string s(n, ' ');
    for (char& c : s) c = kAlphabet[((x = x * 1103515245u + 12345u) >> 16) % (sizeof(kAlphabet) - 1)];
    return s;
  }

  // Runs `model` and `real`, each filling an Outcome, and compares them.
  template <class M, class R>
  void Check(const std::string& what, M model, R real) {
    history_ = (history_ + "\n  " + what).substr(history_.size() > 600 ? history_.size() - 600 : 0);
    Outcome m, r;
    try {
      model(m);
    } catch (const Failure& e) {
      m = Outcome{0, "", false, std::string(e.message) + ": file=" + path_, e.code};
    }
    try {
      real(r);
    } catch (const Error& e) {
      r = Outcome{0, "", false, e.GetText(), static_cast<std::uint32_t>(e.GetCode())};
      if (path_ != e.GetFileName()) r.error += " (named " + std::string(e.GetFileName()) + ")";
      if (std::string(e.what()) != "File I/O error") r.error += " (what() " + std::string(e.what()) + ")";
    }
    if (!(m == r) && error_.empty())
      error_ = what + ": model " + Show(m) + " / lufio " + Show(r) + "\nafter" + history_;
  }

  void Flush(Slot& s) {
    Check(
        "Flush", [&](Outcome&) { s.m.Flush(); }, [&](Outcome&) { s.writer ? s.writer->Flush() : s.appender->Flush(); });
  }

  void Open(int step) {
    auto access = static_cast<Access>(std::min(src_.Pick(7), 4u));  // text readers thrice as often
    if ((access == kW || access == kRW) && !slots_.empty()) access = kR;
    const bool text = access == kTextR || (access == kR && src_.Pick(2) == 0);
    for (auto& s : slots_) {
      if (s->m.open() && CanWrite(s->m.access())) Flush(*s);
    }
    if (!exists_ && CanRead(access) && access != kRW) {
      const std::string what = "op " + std::to_string(step) + " open " + "RWXAT"[access] + (text ? " text" : "");
      return Check(
          what,
          [](Outcome&) {
            throw Failure{kOpen, 2};
          },
          [&](Outcome&) { Make(access, text); });
    }
    exists_ = true;
    slots_.push_back(std::unique_ptr<Slot>(new Slot{Object(f_, disk_, access, text), Make(access, text)}));
  }

  std::unique_ptr<FileIOBase> Make(Access access, bool text) {
    const lusys::CPPathFile path(path_.c_str());
    const FileHandler::Type type = text ? FileHandler::TypeText : FileHandler::TypeBinary;
    if (access == kR) return std::make_unique<FileR>(path, type, factory_);
    if (access == kW) return std::make_unique<FileW>(path, type, factory_);
    if (access == kRW) return std::make_unique<FileRW>(path, type, factory_);
    if (access == kA) return std::make_unique<FileA>(path, type, factory_);
    return std::make_unique<TextFileR>(path, factory_);
  }

  void Step(int step) {
    unsigned op = src_.Pick(13);
    if (op == 0 || slots_.empty()) {
      if (slots_.size() < 3) Open(step);
      return;
    }
    const std::size_t index = src_.Pick(static_cast<unsigned>(slots_.size()));
    Object& m = slots_[index]->m;
    std::string what = "op " + std::to_string(step) + " object " + std::to_string(index) + "RWXAT"[m.access()] + " ";
    if (op != 12) return Apply(op, index, what);
    static const unsigned kOps[] = {6, 7, 8, 1, 3};
    static const char* const kKinds[] = {kTell, kSeek, kFlush, kRead, kWrite};
    const unsigned i = src_.Pick(5);
    if (!fail(static_cast<int>(i), 900 + i)) return;
    m.Fail(kKinds[i], 900 + i);
    Apply(kOps[i], index, what + "failing ");
    m.Fail(nullptr, 0);
    fail(-1, 0);
  }

  void Apply(unsigned op, std::size_t index, const std::string& what) {
    Slot& s = *slots_[index];
    Object& m = s.m;
    FileIOBase& r = *s.r;
    const bool positions = m.PositionsExact() && !m.PastMark();
    if ((op == 1 || op == 2 || op == 11) && CanRead(m.access()) && !m.PastMark()) {
      if (op != 1 && s.text != nullptr) {  // a text object mostly reads lines
        const std::int32_t size = src_.Pick(4) == 0 ? Pick(3) - 1 : 2 + Pick(64);
        const bool in = src_.Pick(2) != 0;
        return Check(
            what + "GetLine " + std::to_string(size), [&](Outcome& o) { o = m.GetLine(size, in); },
            [&](Outcome& o) {
              std::vector<char> buffer(static_cast<std::size_t>(std::max(size, 1)), '#');
              o.complete = in;
              if ((o.value = s.text->GetLine(buffer.data(), size, o.complete))) o.text = buffer.data();
            });
      }
      const std::size_t n = Length();
      return Check(
          what + "Read " + std::to_string(n), [&](Outcome& o) { o.value = Count((o.text = m.Read(n)).size()); },
          [&](Outcome& o) {
            std::string buffer(n, '#');
            const lusys::BasicRef<char> view(&buffer[0], n);
            o.value = Count(s.reader ? s.reader->Read(view) : s.text->Read(view));
            o.text = buffer.substr(0, static_cast<std::size_t>(o.value));
          });
    }
    if ((op == 3 || op == 4) && CanWrite(m.access())) {
      const bool shared = slots_.size() > 1;
      if (shared && m.open() && m.pos() != Count(disk_.size()) && !(m.access() == kA && f_.append_writes_at_end))
        return;
      const std::string data = Bytes(Length());
      const lusys::BasicRef<const char> view(data.data(), data.size());
      Check(
          what + "Write " + std::to_string(data.size()), [&](Outcome& o) { o.value = Count(m.Write(data)); },
          [&](Outcome& o) { o.value = Count(s.writer ? s.writer->Write(view) : s.appender->Write(view)); });
      // An append write goes out at once: where a buffered append stream's
      // Tell points before that differs by runtime.
      if (shared || m.access() == kA) Flush(s);
    } else if (op == 5 && positions) {
      static const std::int32_t kWhence[] = {0, 1, 2, 3, 7, -1, 100, 102};  // 100, 102: Seek2Begin, Seek2End
      const std::int32_t whence = kWhence[src_.Pick(8)], size = static_cast<std::int32_t>(disk_.size());
      const std::int32_t offsets[] = {Pick(41) - 20, size + Pick(21) - 10, -size - Pick(5), INT_MAX - Pick(3),
                                      INT_MIN + Pick(3)};
      const std::int32_t offset = offsets[src_.Pick(5)];
      Check(
          what + "Seek " + std::to_string(offset) + " " + std::to_string(whence),
          [&](Outcome& o) { o.value = whence < 100 ? m.Seek(offset, whence) : (m.Seek(0, whence - 100), m.Tell()); },
          [&](Outcome& o) {
            if (whence >= 100) whence == 100 ? r.Seek2Begin() : r.Seek2End();
            o.value = whence < 100 ? r.Seek(offset, static_cast<FileHandler::Whence>(whence)) : r.Tell();
          });
    } else if ((op == 6 || op == 7) && positions) {
      Check(
          what + (op == 6 ? "Tell" : "Size"), [&](Outcome& o) { o.value = op == 6 ? m.Tell() : m.Size(); },
          [&](Outcome& o) { o.value = op == 6 ? r.Tell() : r.Size(); });
    } else if (op == 8 && CanWrite(m.access())) {
      Flush(s);
    } else if (op == 9) {
      m.Close();
      Check(
          what + "Close", [](Outcome&) {},
          [&](Outcome& o) {
            r.Close();
            lusys::BasicStrOStream<char> name;
            r.GetFileName().Print(name);
            o.text = name.Get() == path_ ? "" : name.Get();  // the name stays after Close
          });
    } else if (op == 10) {
      Check(
          what + "destroyed", [](Outcome&) {}, [](Outcome&) {});
      slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(index));
    }
  }

  static std::int64_t Count(std::uint64_t n) { return static_cast<std::int64_t>(n); }

  const FileHandlerFactory& factory_;
  const Facts& f_;
  const std::string path_;
  Source& src_;
  std::string disk_;
  bool exists_ = false;
  std::vector<std::unique_ptr<Slot>> slots_;
  std::string error_;
  std::string history_;  // the last checks, for the report
};

}  // namespace lufio::model

#endif  // LUFIO_TESTS_MODEL_MODEL_H_
