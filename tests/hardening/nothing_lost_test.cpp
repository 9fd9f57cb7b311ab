// Nothing lost: random data written in random piece sizes through every
// back-end and every writing class comes back byte for byte, after Close and,
// for the classes whose back-end closes on destruction, after destruction
// alone; and the same for appends onto existing content.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <memory>
#include <random>
#include <string>

#include "support/factories.h"
#include "support/temp_dir.h"

namespace {

using lufio::FileHandler;

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
class NothingLost : public ::testing::Test {
 protected:
  const Factory factory_{};
  lufio::test::TempDir dir_;
};

TYPED_TEST_SUITE(NothingLost, lufio::test::AllFactories, lufio::test::FactoryNames);

TYPED_TEST(NothingLost, WritesAndAppendsComeBackWhole) {
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
      {
        std::unique_ptr<lufio::FileIOBase> owner;
        if (round % 2 == 0) {
          auto file = std::make_unique<lufio::FileW>(path, FileHandler::TypeBinary, this->factory_);
          WriteInPieces(*file, data, rng);
          owner = std::move(file);
        } else {
          auto file = std::make_unique<lufio::FileRW>(path, FileHandler::TypeBinary, this->factory_);
          WriteInPieces(*file, data, rng);
          owner = std::move(file);
        }
        if (close_first) owner->Close();
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
