// The rules of the file objects, over an in-memory handler that records every
// virtual call.
#include <gtest/gtest.h>
#include <lufio/file_io.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/fake_handler.h"

namespace {

using lufio::FileHandler;
using lufio::test::FakeFactory;
using lufio::test::FakeFile;
using Calls = std::vector<std::string>;

const lusys::CPPathFile kPath("fake/file.bin");

TEST(FileIOBaseSeek, ClampsToTheFile) {
  struct Case {
    lusys::Long start, offset;
    FileHandler::Whence whence;
    lusys::Long expect;
  };
  const Case cases[] = {
      {0, -10, FileHandler::WhenceBegin, 0},    {0, 150, FileHandler::WhenceBegin, 100},
      {0, 100, FileHandler::WhenceBegin, 100},  {0, 30, FileHandler::WhenceBegin, 30},
      {0, -5, FileHandler::WhenceEnd, 95},      {0, 5, FileHandler::WhenceEnd, 100},
      {40, -50, FileHandler::WhenceCurrent, 0}, {40, 70, FileHandler::WhenceCurrent, 100},
      {40, 10, FileHandler::WhenceCurrent, 50}, {40, 10, static_cast<FileHandler::Whence>(7), 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " " + std::to_string(c.offset) + " " + std::to_string(c.whence));
    FakeFile file;
    file.data.assign(100, 'x');
    lufio::FileRW f(kPath, FileHandler::TypeBinary, FakeFactory(file));
    f.Seek(c.start, FileHandler::WhenceBegin);
    EXPECT_EQ(f.Seek(c.offset, c.whence), c.expect);
    EXPECT_EQ(f.Tell(), c.expect);
  }
}

TEST(FileIOBaseSeek, MeasuresTheSizeAndPassesTheCallersArguments) {
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
  EXPECT_EQ(f.Tell(), 100);
  EXPECT_EQ(f.Size(), 100);
  EXPECT_EQ(f.Tell(), 100);
}

// Each access class opens with its own mode, and with the caller's type
// except TextFileR.
TEST(AccessClasses, OpenWithTheirModeAndType) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<lufio::FileIOBase>(const lufio::FileHandlerFactory&)> make;
    FileHandler::Mode mode;
    FileHandler::Type type;
  };
  const auto binary = FileHandler::TypeBinary;
  const Case cases[] = {
      {"FileR", [&](auto& f) { return std::make_unique<lufio::FileR>(kPath, binary, f); }, FileHandler::ModeRead,
       binary},
      {"FileW", [&](auto& f) { return std::make_unique<lufio::FileW>(kPath, binary, f); }, FileHandler::ModeWrite,
       binary},
      {"FileRW", [&](auto& f) { return std::make_unique<lufio::FileRW>(kPath, binary, f); }, FileHandler::ModeReadWrite,
       binary},
      {"FileA", [&](auto& f) { return std::make_unique<lufio::FileA>(kPath, binary, f); }, FileHandler::ModeAppend,
       binary},
      {"TextFileR", [&](auto& f) { return std::make_unique<lufio::TextFileR>(kPath, f); }, FileHandler::ModeRead,
       FileHandler::TypeText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFile file;
    std::unique_ptr<lufio::FileIOBase> object = c.make(FakeFactory(file));
    EXPECT_EQ(file.opened_mode, c.mode);
    EXPECT_EQ(file.opened_type, c.type);
    object.reset();  // destroyed through the base: one create, one open, one close
    EXPECT_EQ(file.creates, 1);
    EXPECT_EQ(file.calls, (Calls{"open", "close"}));
  }
}

TEST(AccessClasses, ReadWriteSharesOneHandler) {
  FakeFile file;
  {
    lufio::FileRW f(kPath, FileHandler::TypeBinary, FakeFactory(file));
    const lufio::FileHandler* handler = file.last_handler;
    EXPECT_EQ(f.Write(lusys::Literal("hello")), 5u);
    f.Flush();
    EXPECT_EQ(f.Tell(), 5);
    f.Seek2Begin();
    char buffer[8] = {};
    EXPECT_EQ(f.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 5u);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(&f.GetFileName(), &handler->GetFileName());
    EXPECT_EQ(file.last_handler, handler);
  }
  EXPECT_EQ(file.creates, 1);
  EXPECT_EQ(file.Count("open"), 1);
  EXPECT_EQ(file.Count("close"), 1);
  EXPECT_EQ(file.Count("flush"), 1);
}

TEST(FileIOBase, FailedOpenThrowsAndDestroysTheHandler) {
  FakeFile file;
  file.open_result = false;
  try {
    lufio::FileR f(kPath, FileHandler::TypeBinary, FakeFactory(file));
    FAIL() << "no exception";
  } catch (const lufio::Error& e) {
    EXPECT_STREQ(e.GetText(), "Failed to open: file=fake/file.bin");
    EXPECT_STREQ(e.GetFileName(), "fake/file.bin");
  }
  EXPECT_EQ(file.calls, (Calls{"open"}));  // destroyed without close
}

TEST(FileIOBase, CloseIsForwardedAndAThrowingCloseIsSwallowedOnDestruction) {
  FakeFile file;
  {
    lufio::FileW f(kPath, FileHandler::TypeBinary, FakeFactory(file));
    f.Close();
    f.Close();
    file.throw_on_close = true;
    EXPECT_THROW(f.Close(), lufio::Error);
  }
  EXPECT_EQ(file.Count("close"), 4);
}

TEST(TextFileR, GetLineGuardsTheSize) {
  FakeFile file;
  file.data = "line\n";
  lufio::TextFileR f(kPath, FakeFactory(file));
  char buffer[2] = {'#', '#'};
  bool complete = false;
  EXPECT_FALSE(f.GetLine(buffer, 1, complete));
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(file.Count("read"), 0);
  char line[8];
  EXPECT_TRUE(f.GetLine(line, sizeof(line), complete));
  EXPECT_STREQ(line, "line");
  EXPECT_EQ(f.Read(lusys::BasicRef<char>()), 0u);
}

}  // namespace
