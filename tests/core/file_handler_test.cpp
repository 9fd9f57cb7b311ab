// The rules that FileHandler's entry points and the file objects add on top
// of a back-end, over a handler that records every virtual call and touches
// no memory: how transfers are cut into pieces, that a null buffer never gets
// through, and which calls opening and closing make. What the calls give is
// the model's part. And the layout of the interface as released: virtual
// slots, fields and sizes.
#include <gtest/gtest.h>
#include <lufio/dir_reader.h>
#include <lufio/error.h>
#include <lufio/file_io.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/support.h"

namespace {

using lufio::FileHandler;
using Calls = std::vector<std::string>;
constexpr std::uint64_t kChunk = 2147483647;

struct Log {
  Calls calls;
  std::uint64_t max_transfer = ~0ull;  // most bytes one read or write moves
  bool open_result = true, throw_on_close = false;
  const char* base = nullptr;  // the first byte handed to read or write
  lusys::Long size = 0;        // where seek's WhenceEnd counts from
};

// Its overrides are public: their member pointers give FileHandler's slots.
class Recorder : public FileHandler {
 public:
  Recorder(const lusys::CPPathFileBase& path, Log& log) : FileHandler(path), log_(log) {}
  lusys::Long tell() override { return Add("tell"), 0; }
  lusys::Long seek(lusys::Long offset, Whence whence) override {
    Add("seek(" + std::to_string(offset) + "," + std::to_string(whence) + ")");
    return whence == WhenceEnd ? log_.size + offset : offset;
  }
  void flush() override { Add("flush"); }
  bool open(Mode mode, Type type) override {
    return Add("open(" + std::to_string(mode) + "," + std::to_string(type) + ")"), log_.open_result;
  }
  void close() override {
    Add("close");
    if (log_.throw_on_close) throw lufio::Error(lusys::Literal("Failed to flush buffer"), GetFileName(), 28);
  }
  std::uint64_t read(char* p, lusys::Long n) override { return Move("read", p, n); }
  std::uint64_t write(const char* p, lusys::Long n) override { return Move("write", p, n); }
  bool getline(char*, lusys::Long, bool&) override { return Add("getline"), false; }

 private:
  // Logs "name(bytes@offset from the first byte)" and moves at most max_transfer.
  std::uint64_t Move(const std::string& name, const char* p, lusys::Long n) {
    log_.base = log_.base != nullptr ? log_.base : p;
    Add(name + "(" + std::to_string(n) + "@" + std::to_string(p - log_.base) + ")");
    return std::min(static_cast<std::uint64_t>(n), log_.max_transfer);
  }
  void Add(const std::string& call) { log_.calls.push_back(call); }
  Log& log_;
};

struct RecorderFactory : lufio::FileHandlerFactory {
  explicit RecorderFactory(Log& log) : log(log) {}
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override {
    return std::make_unique<Recorder>(path, log);
  }
  Log& log;
};

const lusys::CPPathFile kPath("fake/file.bin");

// Each case: the view's length, the cap per call, the pieces as (length,
// offset into the view), the total reported.
TEST(FileHandler, SplitsTransfersAtTheLargest32BitSignedValue) {
  const struct {
    std::uint64_t length, cap;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> pieces;
    std::uint64_t total;
  } cases[] = {
      {0, ~0ull, {}, 0},  // an empty view calls nothing
      {kChunk, ~0ull, {{kChunk, 0}}, kChunk},
      {5368709120u, ~0ull, {{kChunk, 0}, {kChunk, kChunk}, {5368709120u - 2 * kChunk, 2 * kChunk}}, 5368709120u},
      {kChunk + 10, kChunk - 5, {{kChunk, 0}, {15, kChunk - 5}}, kChunk + 10},  // advances by the count returned
      {kChunk + 10, 0, {{kChunk, 0}}, 0},  // a piece that moves nothing ends the transfer
      {100, 40, {{100, 0}}, 40},           // the last piece's short count is taken as it is
      {2 * kChunk - 5, kChunk - 5, {{kChunk, 0}, {kChunk, kChunk - 5}}, 2 * kChunk - 10},  // of exactly kChunk too
  };
  for (const auto& c : cases) {
    for (const std::string call : {"read", "write"}) {
      SCOPED_TRACE(call + std::to_string(c.length));
      Log log;
      log.max_transfer = c.cap;
      Recorder h(kPath, log);
      // A view over memory that the recorder never touches.
      const lusys::BasicRef<char> view(reinterpret_cast<char*>(std::uintptr_t{0x10000}), c.length);
      EXPECT_EQ(call == "read" ? h.Read(view) : h.Write(view), c.total);
      Calls expected;
      for (const auto& [n, at] : c.pieces)
        expected.push_back(call + "(" + std::to_string(n) + "@" + std::to_string(at) + ")");
      EXPECT_EQ(log.calls, expected);
    }
  }
}

// A null buffer of some length never reaches the back-end: Read, Write and
// both GetLine entry points refuse it with the code for a bad argument
// (ERROR_INVALID_PARAMETER, EINVAL); an empty null view moves nothing.
TEST(FileHandler, RefusesANullBufferBeforeTheBackEnd) {
  Log log;
  Recorder h(kPath, log);
  lufio::TextFileR text(kPath, RecorderFactory(log));
  bool complete = false;
  EXPECT_EQ(h.Read({nullptr, 0}) + h.Write({nullptr, 0}), 0u);
  const std::pair<std::function<void()>, std::string> refused[] = {
      {[&] { h.Read({nullptr, 5}); }, "Failed to read file"}, {[&] { h.Write({nullptr, 5}); }, "Failed to write file"},
      {[&] { h.GetLine(nullptr, 8, complete); }, "Failed to read file"},
      {[&] { text.GetLine(nullptr, 8, complete); }, "Failed to read file"}};
  for (const auto& [call, message] : refused)
    lufio::test::ExpectError(call, message, "fake/file.bin", lufio::test::kOnWindows ? 87 : EINVAL);
  EXPECT_EQ(log.calls, Calls{"open(0,0)"});
}

// Each access class opens its handler with its mode and type and closes it
// once when destroyed through its base; a failed open destroys the handler
// without closing it; a throwing close is reported by Close and swallowed
// only by the destructor.
TEST(FileIOBase, OpensWithItsModeAndTypeAndClosesOnce) {
  const auto text = FileHandler::TypeText, binary = FileHandler::TypeBinary;
  Log log;
  const RecorderFactory factory(log);
  std::unique_ptr<lufio::FileIOBase> objects[] = {
      std::make_unique<lufio::FileR>(kPath, binary, factory), std::make_unique<lufio::FileW>(kPath, text, factory),
      std::make_unique<lufio::FileRW>(kPath, binary, factory), std::make_unique<lufio::FileA>(kPath, text, factory),
      std::make_unique<lufio::TextFileR>(kPath, factory)};
  for (auto& object : objects) object.reset();
  EXPECT_EQ(log.calls, (Calls{"open(0,1)", "open(1,0)", "open(2,1)", "open(3,0)", "open(0,0)", "close", "close",
                              "close", "close", "close"}));
  log.calls.clear();
  log.open_result = false;
  EXPECT_THROW(lufio::FileR(kPath, binary, factory), lufio::Error);
  log.open_result = true;
  {
    lufio::FileW f(kPath, binary, factory);
    f.Close();
    log.throw_on_close = true;
    EXPECT_THROW(f.Close(), lufio::Error);
  }
  EXPECT_EQ(log.calls, (Calls{"open(0,1)", "open(1,1)", "close", "close", "close"}));
}

// Under the Itanium C++ ABI (g++ and clang++, on Linux and over mingw-w64) a
// pointer to a virtual member function holds its slot's byte offset in the
// vtable (plus 1 on x86-64): the slot of `member`.
template <class M>
std::uint64_t Slot(M member) {
  std::uint64_t word[2] = {};
  std::memcpy(word, &member, std::min(sizeof member, sizeof word));
  return word[0] / sizeof(void*);
}

// The layout that programs built against an earlier release rely on, as
// released for x86-64: each class's virtual operations in declaration order
// after the two slots of its destructor, where its fields lie and its size.
// MSVC's member pointers say nothing of slots: the test skips there.
TEST(Layout, SlotsFieldsAndSizesAsReleased) {
  using R = Recorder;
  using Out = lusys::BasicOStream<char>;
  using Factory = lufio::FileHandlerFactory;
  if constexpr (sizeof(&R::tell) != 2 * sizeof(void*)) GTEST_SKIP() << "not the Itanium C++ ABI";
  const auto at = [](const void* object, const void* field) { return std::uintptr_t(field) - std::uintptr_t(object); };
  const lufio::Error error(lusys::Literal("m"), kPath, 1);
  const lusys::BufOStream<260, char> text;
  const lusys::BasicRef<const char> view(nullptr, 8);
  std::uint64_t words[2];  // a view's two words
  std::memcpy(words, &view, sizeof words);
  lufio::DirReader reader(lusys::CPPath("."), lufio::DirReader::FilterAll);
  const struct { const char* name; std::vector<std::uint64_t> got, expected; } rows[] = {
      {"FileHandler: slots, size (a path)",
       {Slot(&R::tell), Slot(&R::seek), Slot(&R::flush), Slot(&R::open), Slot(&R::close), Slot(&R::read),
        Slot(&R::write), Slot(&R::getline), sizeof(FileHandler)}, {2, 3, 4, 5, 6, 7, 8, 9, 16}},
      {"FileHandlerFactory: slots, size", {Slot(&Factory::Create), sizeof(Factory)}, {2, 8}},
      {"Exception: slots", {Slot(&lusys::Exception::what), Slot(&lusys::Exception::Print)}, {2, 3}},
      {"OStream: slots, size", {Slot(&Out::Flush), Slot(&Out::Close), Slot(&Out::Write), sizeof(Out)}, {2, 3, 4, 8}},
      {"CPPathFileBase: slots", {Slot(&lusys::CPPathFileBase::Clone), Slot(&lusys::CPPathFileBase::Print)}, {2, 3}},
      {"lusys::Exception: text (then code), size", {at(&error, error.GetText()), sizeof(lusys::Exception)}, {8, 272}},
      {"Error: its path's text, size", {at(&error, error.GetFileName()), sizeof error}, {280, 552}},
      {"BufOStream<260, char>: buffer (then position), size", {at(&text, text.Get().Data()), sizeof text}, {8, 280}},
      {"BasicRef: data, length", {words[0], words[1]}, {0, 8}},
      {"DirReader: entry (then Imp), size; DirReader::Error, FileIOBase (a handler), DirEntry: size",
       {at(&reader, reader.GetFirst()), sizeof reader, sizeof(lufio::DirReader::Error), sizeof(lufio::FileIOBase),
        sizeof(lufio::DirEntry)}, {0, 16, 552, 16, 8}},
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.name;
}

// Seek clamps its target to [0, Size()]; a target inside, the end itself
// included, reaches the handler as the caller's own offset and whence.
TEST(FileIOBase, SeekHandsOnTheCallersOwnMoveUpToTheEnd) {
  const std::tuple<lusys::Long, int, std::string> cases[] = {
      {5, 1, "seek(5,1)"}, {6, 1, "seek(0,2)"}, {-5, 2, "seek(-5,2)"}, {-6, 2, "seek(0,0)"}, {5, 7, "seek(5,7)"}};
  for (const auto& [offset, whence, call] : cases) {
    Log log;
    log.size = 5;  // at offset 0 of 5 bytes
    lufio::FileR f(kPath, FileHandler::TypeBinary, RecorderFactory(log));
    f.Seek(offset, static_cast<FileHandler::Whence>(whence));
    EXPECT_EQ(log.calls.back(), call) << offset << " from " << whence;
  }
}

}  // namespace
