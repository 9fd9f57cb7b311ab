// The contract that every back-end keeps, run over each factory: what the file
// objects do on real files wherever the back-ends agree. Each back-end's own
// test file holds what it does differently.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <memory>
#include <random>
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

std::string RandomBytes(std::mt19937& rng, std::size_t size) {
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

// Writes `data` through `Write` in pieces of 0 to 9000 bytes.
template <class File>
void WriteInPieces(File& file, const std::string& data, std::mt19937& rng) {
  std::size_t done = 0;
  while (done < data.size()) {
    const std::size_t piece = std::min<std::size_t>(rng() % 9001, data.size() - done);
    ASSERT_EQ(file.Write(lusys::BasicRef<const char>(data.data() + done, piece)), piece);
    done += piece;
  }
}

template <class Factory>
class Contract : public ::testing::Test {
 protected:
  lusys::CPPathFile Path(const std::string& name) const { return lusys::CPPathFile(dir_.File(name).c_str()); }
  std::string Name(const std::string& name) const { return dir_.File(name); }

  const Factory factory_{};
  lufio::test::TempDir dir_;
};

TYPED_TEST_SUITE(Contract, lufio::test::AllFactories, lufio::test::FactoryNames);

TYPED_TEST(Contract, WriteCreatesOrTruncatesAndAppendCreates) {
  WriteBytes(this->Name("old"), "previous content");
  {
    lufio::FileW created(this->Path("new"), kBinary, this->factory_);
    lufio::FileW cut(this->Path("old"), kBinary, this->factory_);
    cut.Write(lusys::Literal("new"));
    lufio::FileA fresh(this->Path("fresh"), kBinary, this->factory_);
    EXPECT_EQ(fresh.Write(lusys::Literal("x")), 1u);
    fresh.Flush();
    EXPECT_EQ(fresh.Size(), 1);
  }
  EXPECT_TRUE(lufio::test::Exists(this->Name("new")));
  EXPECT_EQ(ReadBytes(this->Name("new")), "");
  EXPECT_EQ(ReadBytes(this->Name("old")), "new");
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
  // Reads come back short at the end, then empty.
  f.Seek(70, FileHandler::WhenceBegin);
  char buffer[100];
  EXPECT_EQ(f.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 30u);
  EXPECT_EQ(f.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 0u);
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

// Text mode is the platform's: Windows folds CR LF into LF in every back-end
// but the Win32 one, which has no text mode; elsewhere the CR stays.
TYPED_TEST(Contract, TextModeIsThePlatforms) {
  WriteBytes(this->Name("crlf"), "a\r\nb");
  const bool folds = lufio::test::kTextModeFoldsCrLf && !std::is_same_v<TypeParam, lufio::WinHandlerFactory>;
  lufio::TextFileR in(this->Path("crlf"), this->factory_);
  char line[8];
  bool complete = false;
  ASSERT_TRUE(in.GetLine(line, sizeof(line), complete));
  EXPECT_STREQ(line, folds ? "a" : "a\r");
  ASSERT_TRUE(in.GetLine(line, sizeof(line), complete));
  EXPECT_STREQ(line, "b");
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
  // A closed object can be closed again and still names its file.
  reader.Close();
  reader.Close();
  lusys::BasicStrOStream<char> printed;
  reader.GetFileName().Print(printed);
  EXPECT_EQ(printed.Get(), this->Name("shared"));
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

// Nothing lost: random data in random piece sizes through every writing
// class comes back byte for byte, and so do appends onto it.
TYPED_TEST(Contract, RandomWritesAndAppendsComeBackWhole) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  // Only the fstream handler closes its file when destroyed; the others
  // close through Close or the file object's destructor, which runs both ways.
  for (const bool close_first : {true, false}) {
    for (int round = 0; round < 4; ++round) {
      const std::string name = this->dir_.File("f" + std::to_string(round) + (close_first ? "c" : "d"));
      const lusys::CPPathFile path(name.c_str());
      const std::string data = RandomBytes(rng, rng() % 300000);
      const std::string more = RandomBytes(rng, rng() % 100000);
      // The file object is destroyed as soon as write_all returns.
      const auto write_all = [&](auto&& file) {
        WriteInPieces(file, data, rng);
        if (close_first) file.Close();
      };
      if (round % 2 == 0) {
        write_all(lufio::FileW(path, kBinary, this->factory_));
      } else {
        write_all(lufio::FileRW(path, kBinary, this->factory_));
      }
      ASSERT_EQ(lufio::test::ReadBytes(name), data);
      {
        lufio::FileA append(path, FileHandler::TypeBinary, this->factory_);
        WriteInPieces(append, more, rng);
        if (close_first) append.Close();
      }
      ASSERT_EQ(lufio::test::ReadBytes(name), data + more);
    }
  }
}

}  // namespace
