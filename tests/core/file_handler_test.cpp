// The rules of FileHandler's entry points, over an in-memory handler that
// records every virtual call.
#include <gtest/gtest.h>
#include <lufio/file_handler.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/fake_handler.h"
#include "support/handler_peer.h"

namespace {

using lufio::FileHandler;
using lufio::test::FakeFile;
using lufio::test::FakeHandler;
using Calls = std::vector<std::string>;

constexpr std::uint64_t kChunk = 2147483647;

struct Fixture {
  explicit Fixture(std::string content = "") { file.data = std::move(content); }
  FakeFile file;
  FakeHandler handler{lusys::CPPathFile("fake"), file};
};

// A view over memory that the fake never touches.
lusys::BasicRef<char> Untouched(std::uint64_t length) {
  return lusys::BasicRef<char>(reinterpret_cast<char*>(std::uintptr_t{0x10000}), length);
}

TEST(FileHandlerTransfer, EmptyViewsCallNothing) {
  Fixture f("data");
  EXPECT_EQ(f.handler.Read(lusys::BasicRef<char>()), 0u);
  EXPECT_EQ(f.handler.Write(lusys::BasicRef<const char>()), 0u);
  EXPECT_TRUE(f.file.calls.empty());
}

TEST(FileHandlerTransfer, SplitsAtTheLargest32BitSignedValue) {
  struct Case {
    std::uint64_t length;
    std::uint64_t cap;  // most bytes one virtual call moves
    Calls calls;
    std::uint64_t total;
  };
  const std::string rest = std::to_string(5368709120u - 2 * kChunk);
  const Case cases[] = {
      {kChunk, ~0ull, {"read(2147483647)"}, kChunk},
      {5368709120u, ~0ull, {"read(2147483647)", "read(2147483647)", "read(" + rest + ")"}, 5368709120u},
      // The view advances by the count returned, not by the piece size.
      {kChunk + 10, kChunk - 5, {"read(2147483647)", "read(15)"}, kChunk + 10},
      // A piece that reads nothing ends the transfer.
      {kChunk + 10, 0, {"read(2147483647)"}, 0},
      // The last piece's short count is taken as it is.
      {100, 40, {"read(100)"}, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Fixture f;
    f.file.touch_memory = false;
    f.file.max_transfer = c.cap;
    EXPECT_EQ(f.handler.Read(Untouched(c.length)), c.total);
    EXPECT_EQ(f.file.calls, c.calls);

    Fixture w;
    w.file.touch_memory = false;
    w.file.max_transfer = c.cap;
    EXPECT_EQ(w.handler.Write(Untouched(c.length)), c.total);
    ASSERT_EQ(w.file.calls.size(), c.calls.size());
    EXPECT_EQ(w.file.calls.front(), "write(" + c.calls.front().substr(5));
  }
}

TEST(FileHandlerSize, SeeksToTheEndAndBack) {
  Fixture f(std::string(100, 'x'));
  lufio::HandlerPeer::seek(f.handler, 40, FileHandler::WhenceBegin);
  f.file.calls.clear();
  EXPECT_EQ(f.handler.Size(), 100);
  EXPECT_EQ(f.handler.Size(), 100);
  EXPECT_EQ(f.file.calls, (Calls{"tell", "seek(0,2)", "seek(40,0)", "tell", "seek(0,2)", "seek(40,0)"}));
  EXPECT_EQ(lufio::HandlerPeer::tell(f.handler), 40);
}

TEST(FileHandlerGetLine, RefusesBuffersOfOneByteOrLess) {
  for (lusys::Long size : {1, 0, -5}) {
    SCOPED_TRACE(size);
    Fixture f("line\n");
    char buffer[4] = {'#', '#', '#', '#'};
    bool complete = false;
    EXPECT_FALSE(f.handler.GetLine(buffer, size, complete));
    EXPECT_FALSE(complete);
    EXPECT_EQ(std::string(buffer, 4), "####");
    EXPECT_TRUE(f.file.calls.empty());
  }
}

// The default reader's results over arbitrary contents are checked against a
// model of it in fuzz/line_readers_fuzz.cpp; here, its calls and buffer.
TEST(FileHandlerGetLine, DefaultReaderCallsAndBufferContents) {
  Fixture f("abc\ndef");
  char buffer[10];
  std::memset(buffer, '#', sizeof(buffer));
  bool complete = false;
  ASSERT_TRUE(f.handler.GetLine(buffer, 10, complete));
  // One read of the whole buffer, one seek back to the line feed, one byte read.
  EXPECT_EQ(f.file.calls, (Calls{"tell", "read(10)", "seek(3,0)", "read(1)"}));
  // The bytes behind the terminator still hold what was read; the rest is zero.
  EXPECT_EQ(std::string(buffer, 10), std::string("abc\0def\0\0\0", 10));

  f.file.calls.clear();
  ASSERT_TRUE(f.handler.GetLine(buffer, 10, complete));
  ASSERT_FALSE(f.handler.GetLine(buffer, 10, complete));
  EXPECT_TRUE(complete);  // left as the previous line set it
  // At the end the buffer is left all zero and `complete` untouched.
  EXPECT_EQ(std::string(buffer, 10), std::string(10, '\0'));
  EXPECT_EQ(f.file.calls, (Calls{"tell", "read(10)", "tell", "read(10)"}));
}

}  // namespace
