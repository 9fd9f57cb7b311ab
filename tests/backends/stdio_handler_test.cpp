// What the stdio back-end does beyond the contract: its own line reader, its
// mode strings, its seek result, and its answers on a closed handler.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/handler_peer.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace {

using lufio::FileHandler;
using lufio::HandlerPeer;

class StdioHandlerTest : public ::testing::Test {
 protected:
  std::unique_ptr<FileHandler> Open(const std::string& content, FileHandler::Mode mode = FileHandler::ModeRead,
                                    FileHandler::Type type = FileHandler::TypeBinary) {
    lufio::test::WriteBytes(name_, content);
    auto handler = lufio::StdioHandlerFactory().Create(lusys::CPPathFile(name_.c_str()));
    EXPECT_TRUE(HandlerPeer::open(*handler, mode, type));
    return handler;
  }

  lufio::test::TempDir dir_;
  std::string name_ = dir_.File("f.txt");
};

struct Step {
  bool result;
  std::string text;
  bool complete;
};

TEST_F(StdioHandlerTest, LineReaderWithLookAhead) {
  struct Case {
    const char* name;
    std::string content;
    lusys::Long size;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"two lines", "abc\ndef", 10, {{true, "abc", true}, {true, "def", true}, {false, "", false}}},
      // The look-ahead consumes the line feed behind a line that filled the buffer.
      {"six of four", "abcdef\nz", 4, {{true, "abc", false}, {true, "def", true}, {true, "z", true}}},
      {"five of four", "abcde\nz", 4, {{true, "abc", false}, {true, "de", true}, {true, "z", true}}},
      {"exactly size - 1", "abc\nz", 4, {{true, "abc", true}, {true, "z", true}}},
      {"empty line", "\n\n", 4, {{true, "", true}, {true, "", true}, {false, "", false}}},
      // A zero byte hides the line feed behind it from the search.
      {"zero byte", std::string("a\0b\ncd", 6), 10, {{true, "a", false}, {true, "cd", true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto handler = Open(c.content);
    for (const Step& step : c.steps) {
      std::vector<char> buffer(static_cast<std::size_t>(c.size), '#');
      bool complete = false;
      EXPECT_EQ(handler->GetLine(buffer.data(), c.size, complete), step.result);
      if (step.result) {
        EXPECT_EQ(std::string(buffer.data()), step.text);
      }
      EXPECT_EQ(complete, step.complete);
    }
    HandlerPeer::close(*handler);
  }
}

TEST_F(StdioHandlerTest, CarriageReturnsFollowTheType) {
  auto binary = Open("ab\r\ncd", FileHandler::ModeRead, FileHandler::TypeBinary);
  char buffer[8];
  bool complete = false;
  ASSERT_TRUE(binary->GetLine(buffer, sizeof(buffer), complete));
  EXPECT_STREQ(buffer, "ab\r");
  HandlerPeer::close(*binary);

  auto text = Open("ab\r\ncd", FileHandler::ModeRead, FileHandler::TypeText);
  ASSERT_TRUE(text->GetLine(buffer, sizeof(buffer), complete));
  EXPECT_STREQ(buffer, lufio::test::kTextModeFoldsCrLf ? "ab" : "ab\r");
  ASSERT_TRUE(text->GetLine(buffer, sizeof(buffer), complete));
  EXPECT_STREQ(buffer, "cd");
  HandlerPeer::close(*text);
}

TEST_F(StdioHandlerTest, SeekReturnsTheNewPositionAndOutOfRangeWhenceIsCurrent) {
  auto handler = Open(std::string(40, 'x'));
  EXPECT_EQ(HandlerPeer::seek(*handler, 10, FileHandler::WhenceBegin), 10);
  EXPECT_EQ(HandlerPeer::seek(*handler, 5, FileHandler::WhenceCurrent), 15);
  EXPECT_EQ(HandlerPeer::seek(*handler, 5, static_cast<FileHandler::Whence>(7)), 20);
  EXPECT_EQ(HandlerPeer::seek(*handler, 0, FileHandler::WhenceEnd), 40);
  try {
    HandlerPeer::seek(*handler, -1, FileHandler::WhenceBegin);
    FAIL() << "moved before the beginning";
  } catch (const lufio::Error& e) {
    EXPECT_EQ(std::string(e.GetText()), "Failed to move file pointer: file=" + name_);
  }
  HandlerPeer::close(*handler);
}

TEST_F(StdioHandlerTest, ModesOpenCreateAndCut) {
  auto handler = lufio::StdioHandlerFactory().Create(lusys::CPPathFile(name_.c_str()));
  EXPECT_FALSE(HandlerPeer::open(*handler, FileHandler::ModeRead, FileHandler::TypeBinary));
  EXPECT_FALSE(HandlerPeer::open(*handler, static_cast<FileHandler::Mode>(4), FileHandler::TypeBinary));
  EXPECT_FALSE(lufio::test::Exists(name_));
  HandlerPeer::close(*handler);  // never opened: nothing happens

  // Read-write cuts; a binary append stream can also be read.
  auto rw = Open("old content", FileHandler::ModeReadWrite, static_cast<FileHandler::Type>(5));
  EXPECT_EQ(rw->Size(), 0);
  HandlerPeer::close(*rw);
  auto append = Open("kept", FileHandler::ModeAppend, FileHandler::TypeBinary);
  EXPECT_EQ(append->Write(lusys::Literal("+more")), 5u);
  HandlerPeer::seek(*append, 0, FileHandler::WhenceBegin);
  char buffer[16] = {};
  EXPECT_EQ(append->Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 9u);
  EXPECT_STREQ(buffer, "kept+more");
  HandlerPeer::close(*append);
}

TEST_F(StdioHandlerTest, ReadErrorCarriesTheStreamsErrorIndicator) {
  if (!lufio::test::kReadingWriteOnlyStreamSetsError) GTEST_SKIP() << "Wine's runtime sets no error indicator";
  auto handler = Open("", FileHandler::ModeWrite);
  char buffer[4];
  try {
    handler->Read(lusys::BasicRef<char>(buffer, sizeof(buffer)));
    FAIL() << "read from a write-only stream";
  } catch (const lufio::Error& e) {
    EXPECT_EQ(std::string(e.GetText()), "Failed to read file: file=" + name_);
    EXPECT_NE(e.GetCode(), 0u);
  }
  HandlerPeer::close(*handler);
}

TEST_F(StdioHandlerTest, ClosedHandlerThrowsEachOperationsMessage) {
  auto handler = Open("abc");
  HandlerPeer::close(*handler);
  HandlerPeer::close(*handler);
  char buffer[8];
  bool complete = false;
  struct Case {
    const char* message;
    std::function<void()> call;
  };
  const Case cases[] = {
      {"Failed to get file offset", [&] { HandlerPeer::tell(*handler); }},
      {"Failed to move file pointer", [&] { HandlerPeer::seek(*handler, 0, FileHandler::WhenceBegin); }},
      {"Failed to flush buffer", [&] { HandlerPeer::flush(*handler); }},
      {"Failed to read file", [&] { handler->Read(lusys::BasicRef<char>(buffer, sizeof(buffer))); }},
      {"Failed to read file", [&] { handler->GetLine(buffer, sizeof(buffer), complete); }},
      {"Failed to write file", [&] { handler->Write(lusys::Literal("x")); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      c.call();
      ADD_FAILURE() << "no exception";
    } catch (const lufio::Error& e) {
      EXPECT_EQ(std::string(e.GetText()), std::string(c.message) + ": file=" + name_);
      EXPECT_EQ(e.GetCode(), lufio::test::kClosedHandle);
    }
  }
}

}  // namespace
