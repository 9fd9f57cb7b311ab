// The rules that FileHandler's entry points and the file objects add on top
// of a back-end, over an in-memory handler that records every virtual call:
// the calls they make, which only such a handler shows.
#include <gtest/gtest.h>
#include <lufio/file_io.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support/fake_handler.h"

namespace {

using lufio::FileHandler;
using lufio::test::FakeFactory;
using lufio::test::FakeFile;
using lufio::test::FakeHandler;
using Calls = std::vector<std::string>;

const lusys::CPPathFile kPath("fake/file.bin");
constexpr std::uint64_t kChunk = 2147483647;

TEST(FileHandler, SplitsTransfersAtTheLargest32BitSignedValue) {
  struct Case {
    std::uint64_t length;
    std::uint64_t cap;  // most bytes one virtual call moves
    std::vector<std::uint64_t> pieces;
    std::uint64_t total;
  };
  const Case cases[] = {
      {0, ~0ull, {}, 0},  // an empty view calls nothing
      {kChunk, ~0ull, {kChunk}, kChunk},
      {5368709120u, ~0ull, {kChunk, kChunk, 5368709120u - 2 * kChunk}, 5368709120u},
      {kChunk + 10, kChunk - 5, {kChunk, 15}, kChunk + 10},  // the view advances by the count returned
      {kChunk + 10, 0, {kChunk}, 0},                         // a piece that moves nothing ends the transfer
      {100, 40, {100}, 40},                                  // the last piece's short count is taken as it is
      {2 * kChunk - 5, kChunk - 5, {kChunk, kChunk}, 2 * kChunk - 10},  // so is a last piece of exactly kChunk
  };
  for (const Case& c : cases) {
    for (const std::string call : {"read(", "write("}) {
      SCOPED_TRACE(call + std::to_string(c.length));
      FakeFile file;
      file.touch_memory = false;
      file.max_transfer = c.cap;
      FakeHandler h(kPath, file);
      // A view over memory that the fake never touches.
      const lusys::BasicRef<char> view(reinterpret_cast<char*>(std::uintptr_t{0x10000}), c.length);
      EXPECT_EQ(call == "read(" ? h.Read(view) : h.Write(view), c.total);
      Calls expected;
      for (const std::uint64_t piece : c.pieces) expected.push_back(call + std::to_string(piece) + ")");
      EXPECT_EQ(file.calls, expected);
    }
  }
}

TEST(FileHandler, SizeSeeksToTheEndAndBack) {
  FakeFile file;
  file.data.assign(100, 'x');
  file.pos = 40;
  FakeHandler h(kPath, file);
  EXPECT_EQ(h.Size() + h.Size(), 200);
  EXPECT_EQ(file.calls, (Calls{"tell", "seek(0,2)", "seek(40,0)", "tell", "seek(0,2)", "seek(40,0)"}));
  EXPECT_EQ(file.pos, 40);
}

TEST(FileHandler, GetLineRefusesBuffersOfOneByteOrLess) {
  for (lusys::Long size : {1, 0, -5}) {
    SCOPED_TRACE(size);
    FakeFile file;
    file.data = "line\n";
    FakeHandler h(kPath, file);
    lufio::TextFileR text(kPath, FakeFactory(file));
    char buffer[4] = {'#', '#', '#', '#'};
    bool complete = false;
    EXPECT_FALSE(h.GetLine(buffer, size, complete) || text.GetLine(buffer, size, complete));
    EXPECT_FALSE(complete);
    EXPECT_EQ(std::string(buffer, 4), "####");
    EXPECT_EQ(file.calls, Calls{"open(0,0)"});
  }
}

// The default reader's results over arbitrary contents are checked against a
// model of it in tests/model/ and fuzz/line_readers_fuzz.cpp; here, its calls
// and buffer.
TEST(FileHandler, DefaultReaderCallsAndBufferContents) {
  FakeFile file;
  file.data = "abc\ndef";
  FakeHandler h(kPath, file);
  char buffer[10];
  std::memset(buffer, '#', sizeof(buffer));
  bool complete = false;
  ASSERT_TRUE(h.GetLine(buffer, 10, complete));
  // One read of the whole buffer, one seek back to the line feed, one byte read.
  EXPECT_EQ(file.calls, (Calls{"tell", "read(10)", "seek(3,0)", "read(1)"}));
  // The bytes behind the terminator still hold what was read; the rest is zero.
  EXPECT_EQ(std::string(buffer, 10), std::string("abc\0def\0\0\0", 10));
  file.calls.clear();
  ASSERT_TRUE(h.GetLine(buffer, 10, complete));
  ASSERT_FALSE(h.GetLine(buffer, 10, complete));
  EXPECT_TRUE(complete);  // left as the previous line set it
  // At the end the buffer is left all zero and `complete` untouched.
  EXPECT_EQ(std::string(buffer, 10), std::string(10, '\0'));
  EXPECT_EQ(file.calls, (Calls{"tell", "read(10)", "tell", "read(10)"}));
}

TEST(FileIOBase, SeekMeasuresTheSizeAndPassesTheCallersArguments) {
  FakeFile file;
  file.data.assign(100, 'x');
  lufio::FileR f(kPath, FileHandler::TypeBinary, FakeFactory(file));
  file.calls.clear();
  f.Seek(-5, FileHandler::WhenceEnd);
  EXPECT_EQ(file.calls, (Calls{"tell", "seek(0,2)", "seek(0,0)", "tell", "seek(0,2)", "seek(0,0)", "seek(-5,2)"}));
  file.calls.clear();
  f.Seek2Begin();
  EXPECT_EQ(file.calls, (Calls{"tell", "seek(0,2)", "seek(95,0)", "seek(0,0)"}));
  f.Seek2End();
  EXPECT_EQ(f.Tell() + f.Size(), 200);
}

// Each access class opens its handler with its mode and type, and closes it
// once when destroyed through its base.
TEST(FileIOBase, AccessClassesOpenWithTheirModeAndTypeAndCloseOnce) {
  const auto text = FileHandler::TypeText, binary = FileHandler::TypeBinary;
  FakeFile file;
  const FakeFactory factory(file);
  std::unique_ptr<lufio::FileIOBase> objects[] = {
      std::make_unique<lufio::FileR>(kPath, binary, factory), std::make_unique<lufio::FileW>(kPath, text, factory),
      std::make_unique<lufio::FileRW>(kPath, binary, factory), std::make_unique<lufio::FileA>(kPath, text, factory),
      std::make_unique<lufio::TextFileR>(kPath, factory)};
  for (auto& object : objects) object.reset();
  EXPECT_EQ(file.calls, (Calls{"open(0,1)", "open(1,0)", "open(2,1)", "open(3,0)", "open(0,0)", "close", "close",
                               "close", "close", "close"}));
}

// A failed open destroys the handler without closing it; a throwing close is
// reported by Close and swallowed only by the destructor.
TEST(FileIOBase, FailedOpenAndThrowingClose) {
  FakeFile file;
  file.open_result = false;
  EXPECT_THROW(lufio::FileR(kPath, FileHandler::TypeBinary, FakeFactory(file)), lufio::Error);
  EXPECT_EQ(file.calls, Calls{"open(0,1)"});
  file.open_result = true;
  {
    lufio::FileW f(kPath, FileHandler::TypeBinary, FakeFactory(file));
    f.Close();
    file.throw_on_close = true;
    EXPECT_THROW(f.Close(), lufio::Error);
  }
  EXPECT_EQ(std::count(file.calls.begin(), file.calls.end(), "close"), 3);
}

}  // namespace
