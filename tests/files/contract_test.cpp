// The contract that every back-end keeps, run over each factory, where the
// model of tests/model/ does not reach: a failed open leaves no file, transfers
// allocate nothing, and large random transfers come back whole.
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
