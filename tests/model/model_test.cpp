// The model against every back-end: fixed seeds, the same on Linux and under
// Wine, and the text-position rules of the model's table proved on the files
// where they show.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <random>
#include <string>
#include <vector>

#include "model/model_driver.h"
#include "support/temp_dir.h"

namespace {

using lufio::model::kFacts;

struct Seeded {
  std::mt19937 rng;
  unsigned Pick(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(rng() % n); }
  bool Done() const { return false; }
};

const lufio::WinHandlerFactory kWin;
const lufio::CrtHandlerFactory kCrt;
const lufio::StdioHandlerFactory kStdio;
const lufio::IosHandlerFactory kIos;
const lufio::FileHandlerFactory* const kFactories[] = {&kWin, &kCrt, &kStdio, &kIos};

class Model : public ::testing::TestWithParam<int> {
 protected:
  const lufio::FileHandlerFactory& factory() const { return *kFactories[GetParam()]; }
  const lufio::model::Facts& facts() const { return kFacts[GetParam()]; }
  lufio::test::TempDir dir_;
};

TEST_P(Model, AgreesOverFixedSeeds) {
  for (const unsigned seed : {1u, 2u, 3u, 5u, 8u, 13u, 21u, 34u, 55u, 89u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Seeded src{std::mt19937(seed)};
    lufio::model::Driver<Seeded> driver(factory(), facts(), dir_.File("f" + std::to_string(seed)), src);
    EXPECT_EQ(driver.Run(120), "");
  }
}

// A TextFileR reading lines with Tell after each: byte offsets wherever the
// table says text positions are exact, and wrong on one of these two files
// wherever it says they are not.
TEST_P(Model, TextPositionsAreAsTheTableSays) {
  const std::vector<std::string> files = {"one\ntwo two\nthree three three\n\nfive\n",
                                          "one\r\ntwo two\r\nthree three three\r\n\r\nfive\r\n"};
  bool all_exact = true;
  for (const std::string& content : files) {
    std::ofstream(dir_.File("t"), std::ios::binary) << content;
    lufio::TextFileR in(lusys::CPPathFile(dir_.File("t").c_str()), factory());
    char line[64];
    bool complete = false;
    for (std::size_t end = content.find('\n'); end != std::string::npos; end = content.find('\n', end + 1)) {
      ASSERT_TRUE(in.GetLine(line, sizeof(line), complete));
      all_exact = all_exact && in.Tell() == static_cast<lusys::Long>(end + 1);
    }
  }
  EXPECT_EQ(all_exact, facts().text_positions_exact || !facts().folds_text);
}

INSTANTIATE_TEST_SUITE_P(Backends, Model, ::testing::Range(0, 4),
                         [](const ::testing::TestParamInfo<int>& info) { return kFacts[info.param].name; });

}  // namespace
