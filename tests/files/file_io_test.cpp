// The rules of the file objects, over an in-memory handler that records every
// virtual call.
#include <gtest/gtest.h>
#include <lufio/file_io.h>

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

// Constructs a `File` (with the caller's type, if any) and expects it to open
// with `mode` and `type`, and destroyed through its base, to close once.
template <class File, class... CallerType>
void ExpectOpensAndCloses(FileHandler::Mode mode, FileHandler::Type type, CallerType... caller_type) {
  FakeFile file;
  std::unique_ptr<lufio::FileIOBase> object = std::make_unique<File>(kPath, caller_type..., FakeFactory(file));
  EXPECT_EQ(file.opened_mode, mode);
  EXPECT_EQ(file.opened_type, type);
  object.reset();
  EXPECT_EQ(file.creates, 1);
  EXPECT_EQ(file.calls, (Calls{"open", "close"}));
}

TEST(AccessClasses, OpenWithTheirModeAndType) {
  const auto text = FileHandler::TypeText, binary = FileHandler::TypeBinary;
  ExpectOpensAndCloses<lufio::FileR>(FileHandler::ModeRead, binary, binary);
  ExpectOpensAndCloses<lufio::FileW>(FileHandler::ModeWrite, text, text);
  ExpectOpensAndCloses<lufio::FileRW>(FileHandler::ModeReadWrite, binary, binary);
  ExpectOpensAndCloses<lufio::FileA>(FileHandler::ModeAppend, binary, binary);
  ExpectOpensAndCloses<lufio::TextFileR>(FileHandler::ModeRead, text);
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

TEST(FileIOBase, AThrowingCloseIsSwallowedOnlyByTheDestructor) {
  FakeFile file;
  {
    lufio::FileW f(kPath, FileHandler::TypeBinary, FakeFactory(file));
    f.Close();
    file.throw_on_close = true;
    EXPECT_THROW(f.Close(), lufio::Error);
  }
  EXPECT_EQ(file.Count("close"), 3);
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
