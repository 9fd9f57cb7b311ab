// The rules that FileHandler's entry points and the file objects add on top
// of a back-end, over a handler that records every virtual call and touches
// no memory: how transfers are cut into pieces, and which calls opening and
// closing make. What the calls give is the model's part.
#include <gtest/gtest.h>
#include <lufio/error.h>
#include <lufio/file_io.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

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

class Recorder : public FileHandler {
 public:
  Recorder(const lusys::CPPathFileBase& path, Log& log) : FileHandler(path), log_(log) {}

 private:
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
