// The contract that every back-end keeps, run over each factory: what the file
// objects do on real files wherever the back-ends agree. Each back-end's own
// test file holds what it does differently.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <string>
#include <vector>

#include "support/alloc_counter.h"
#include "support/factories.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace {

using lufio::FileHandler;
using lufio::test::ReadBytes;
using lufio::test::WriteBytes;

constexpr FileHandler::Type kBinary = FileHandler::TypeBinary;

// Every byte value, line ends included.
std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes + "tail\r\n";
}

lusys::BasicRef<const char> View(const std::string& s) { return lusys::BasicRef<const char>(s.data(), s.size()); }

template <class Factory>
class Contract : public ::testing::Test {
 protected:
  lusys::CPPathFile Path(const std::string& name) const { return lusys::CPPathFile(dir_.File(name).c_str()); }
  std::string Name(const std::string& name) const { return dir_.File(name); }

  const Factory factory_{};
  lufio::test::TempDir dir_;
};

TYPED_TEST_SUITE(Contract, lufio::test::AllFactories, lufio::test::FactoryNames);

TYPED_TEST(Contract, WriteThenReadBackEveryByte) {
  const std::string bytes = AllBytes();
  {
    lufio::FileW out(this->Path("f"), kBinary, this->factory_);
    EXPECT_EQ(out.Write(View(bytes)), bytes.size());
    EXPECT_EQ(out.Write(lusys::BasicRef<const char>()), 0u);
    out.Flush();
  }
  EXPECT_EQ(ReadBytes(this->Name("f")), bytes);

  lufio::FileR in(this->Path("f"), kBinary, this->factory_);
  EXPECT_EQ(in.Size(), static_cast<lusys::Long>(bytes.size()));
  std::string back(bytes.size() + 10, '\0');
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(&back[0], back.size())), bytes.size());
  back.resize(bytes.size());
  EXPECT_EQ(back, bytes);
  char more[4];
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(more, sizeof(more))), 0u);
  EXPECT_EQ(in.Read(lusys::BasicRef<char>()), 0u);
}

TYPED_TEST(Contract, ShortReadsAtTheEnd) {
  WriteBytes(this->Name("f"), std::string(130, 'r'));
  lufio::FileR in(this->Path("f"), kBinary, this->factory_);
  in.Seek(100, FileHandler::WhenceBegin);
  char buffer[100];
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 30u);
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 0u);
  EXPECT_EQ(in.Tell(), 130);
}

TYPED_TEST(Contract, WriteCreatesOrTruncatesAndAppendKeeps) {
  { lufio::FileW created(this->Path("new"), kBinary, this->factory_); }
  EXPECT_TRUE(lufio::test::Exists(this->Name("new")));
  EXPECT_EQ(ReadBytes(this->Name("new")), "");

  WriteBytes(this->Name("old"), "previous content");
  {
    lufio::FileW out(this->Path("old"), kBinary, this->factory_);
    out.Write(lusys::Literal("new"));
  }
  EXPECT_EQ(ReadBytes(this->Name("old")), "new");

  WriteBytes(this->Name("log"), "one\n");
  {
    lufio::FileA log(this->Path("log"), kBinary, this->factory_);
    EXPECT_EQ(log.Write(lusys::Literal("two\n")), 4u);
    log.Flush();
    EXPECT_EQ(log.Size(), 8);
  }
  {
    lufio::FileA log(this->Path("log"), kBinary, this->factory_);
    log.Write(lusys::Literal("three\n"));
  }
  EXPECT_EQ(ReadBytes(this->Name("log")), "one\ntwo\nthree\n");
  {
    lufio::FileA fresh(this->Path("fresh"), kBinary, this->factory_);
    fresh.Write(lusys::Literal("x"));
  }
  EXPECT_EQ(ReadBytes(this->Name("fresh")), "x");
}

TYPED_TEST(Contract, ReadWriteSharesOneOffset) {
  WriteBytes(this->Name("rw"), "to be cut");
  lufio::FileRW rw(this->Path("rw"), kBinary, this->factory_);
  EXPECT_EQ(rw.Size(), 0);
  EXPECT_EQ(rw.Write(lusys::Literal("0123456789")), 10u);
  EXPECT_EQ(rw.Tell(), 10);
  rw.Seek(4, FileHandler::WhenceBegin);
  char buffer[3] = {};
  EXPECT_EQ(rw.Read(lusys::BasicRef<char>(buffer, 3)), 3u);
  EXPECT_EQ(std::string(buffer, 3), "456");
  EXPECT_EQ(rw.Tell(), 7);
}

TYPED_TEST(Contract, SeekIsClampedToTheFile) {
  WriteBytes(this->Name("f"), std::string(100, 's'));
  lufio::FileR f(this->Path("f"), kBinary, this->factory_);
  struct Case {
    lusys::Long start, offset;
    FileHandler::Whence whence;
    lusys::Long expect;
  };
  const Case cases[] = {
      {0, -10, FileHandler::WhenceBegin, 0},     {0, 150, FileHandler::WhenceBegin, 100},
      {0, 100, FileHandler::WhenceBegin, 100},   {0, -5, FileHandler::WhenceEnd, 95},
      {0, 5, FileHandler::WhenceEnd, 100},       {40, -50, FileHandler::WhenceCurrent, 0},
      {40, 70, FileHandler::WhenceCurrent, 100}, {40, 10, FileHandler::WhenceCurrent, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " " + std::to_string(c.offset) + " " + std::to_string(c.whence));
    f.Seek(c.start, FileHandler::WhenceBegin);
    EXPECT_EQ(f.Seek(c.offset, c.whence), c.expect);
    EXPECT_EQ(f.Tell(), c.expect);
    EXPECT_EQ(f.Size(), 100);
    EXPECT_EQ(f.Tell(), c.expect);
  }
  f.Seek2End();
  EXPECT_EQ(f.Tell(), 100);
  f.Seek2Begin();
  EXPECT_EQ(f.Tell(), 0);
}

TYPED_TEST(Contract, MissingFileFailsToOpen) {
  const std::string name = this->Name("missing.txt");
  try {
    lufio::FileR f(this->Path("missing.txt"), kBinary, this->factory_);
    FAIL() << "opened a missing file";
  } catch (const lufio::Error& e) {
    EXPECT_STREQ(e.what(), "File I/O error");
    EXPECT_EQ(std::string(e.GetText()), "Failed to open: file=" + name);
    EXPECT_EQ(std::string(e.GetFileName()), name);
    EXPECT_EQ(e.GetCode(), lufio::test::kFileNotFound);
  }
  EXPECT_FALSE(lufio::test::Exists(name));
}

TYPED_TEST(Contract, TextLinesAcrossBufferSizes) {
  // Line feeds only, so that every platform's text mode reads the same.
  const std::vector<std::string> lines = {"first", "", "a somewhat longer line of text", "1234567", "last"};
  std::string content;
  for (const std::string& line : lines) content += line + "\n";
  content.pop_back();  // the last line has no line feed
  WriteBytes(this->Name("t"), content);
  for (lusys::Long size : {2, 3, 8, 64}) {
    SCOPED_TRACE(size);
    lufio::TextFileR in(this->Path("t"), this->factory_);
    std::vector<std::string> got(1);
    std::vector<char> buffer(static_cast<std::size_t>(size));
    bool complete = false;
    while (in.GetLine(buffer.data(), size, complete)) {
      EXPECT_LE(std::string(buffer.data()).size(), static_cast<std::size_t>(size - 1));
      got.back() += buffer.data();
      if (complete) got.emplace_back();
    }
    got.pop_back();
    EXPECT_EQ(got, lines);
  }
}

TYPED_TEST(Contract, ClosedObjectsStayNamedAndCloseAgain) {
  WriteBytes(this->Name("f"), "abc");
  lufio::FileR f(this->Path("f"), kBinary, this->factory_);
  const std::string name = this->Name("f");
  f.Close();
  f.Close();
  lusys::BasicStrOStream<char> printed;
  f.GetFileName().Print(printed);
  EXPECT_EQ(printed.Get(), name);
}

TYPED_TEST(Contract, TwoObjectsOnOneFileAtOnce) {
  WriteBytes(this->Name("shared"), "0123456789");
  lufio::FileR reader(this->Path("shared"), kBinary, this->factory_);
  lufio::FileA writer(this->Path("shared"), kBinary, this->factory_);
  writer.Write(lusys::Literal("ab"));
  writer.Flush();
  char buffer[16] = {};
  EXPECT_EQ(reader.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 12u);
  EXPECT_STREQ(buffer, "0123456789ab");
}

TYPED_TEST(Contract, TransfersAllocateNothing) {
  WriteBytes(this->Name("f"), "line one\nline two\n");
  char buffer[64];
  bool complete = false;
  {
    lufio::TextFileR in(this->Path("f"), this->factory_);
    lufio::FileW out(this->Path("g"), kBinary, this->factory_);
    const std::uint64_t before = lufio::test::AllocationCount();
    EXPECT_TRUE(in.GetLine(buffer, sizeof(buffer), complete));
    EXPECT_EQ(in.Read(lusys::BasicRef<char>(buffer, 4)), 4u);
    EXPECT_EQ(in.Size(), 18);
    EXPECT_EQ(out.Write(lusys::Literal("data")), 4u);
    EXPECT_EQ(out.Size(), 4);
    EXPECT_EQ(lufio::test::AllocationCount(), before);
  }
}

}  // namespace
