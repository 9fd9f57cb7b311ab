// The model against every back-end: fixed seeds, the same on Linux and under
// Wine, and on eight threads at once; the text-position rules of the model's
// table proved on the files where they show; and what the model cannot see:
// transfers allocate nothing.

#include <random>
#include <thread>

#include "model/model.h"
#include "support/support.h"

namespace {

using lufio::model::kFacts;

struct Seeded {
  std::mt19937 rng;
  unsigned Pick(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(rng() % n); }
  bool Done() const { return false; }
};

using lufio::test::EachBackend;

TEST_P(EachBackend, AgreesOverFixedSeeds) {
  for (const unsigned seed : {1u, 2u, 3u, 5u, 8u, 13u, 21u, 34u, 55u, 89u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Seeded src{std::mt19937(seed)};
    lufio::model::Driver<Seeded> driver(factory(), kFacts[GetParam()], dir_.File("f" + std::to_string(seed)), src);
    driver.fail = [&](int i, std::uint32_t code) {
      const auto& calls = lufio::test::FaultCallsOf(GetParam());
      lufio::sys::fault::Disarm();
      if (i < 0 || calls.empty()) return false;
      lufio::sys::fault::Arm(calls[static_cast<std::size_t>(i)], code,
                             i == 1 && calls[0] == calls[1]);  // Size tells before it moves
      return true;
    };
    EXPECT_EQ(driver.Run(120), "");
  }
}

// Each thread drives the model over a file of its own and lists the directory
// they share: file objects and readers share nothing but the read-only
// end-of-line table (the tsan preset runs this under ThreadSanitizer).
TEST_P(EachBackend, AgreesOnEightThreadsAtOnce) {
  std::vector<std::string> failures(8);
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      Seeded src{std::mt19937(100 + t)};
      lufio::model::Driver<Seeded> driver(factory(), kFacts[GetParam()], dir_.File("t" + std::to_string(t)), src);
      driver.count_descriptors = false;
      failures[t] = driver.Run(120);
      lufio::DirReader reader(lusys::CPPath(dir_.path().c_str()), lufio::DirReader::FilterAll);
      for (auto* e = reader.GetFirst(); e != nullptr; e = reader.GetNext())
        failures[t] += e->GetName()[0] == 't' ? "" : e->GetName();
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::string& failure : failures) EXPECT_EQ(failure, "");
}

// A TextFileR reading lines with Tell after each: byte offsets wherever the
// table says text positions are exact, and wrong on one of these two files
// wherever it says they are not.
TEST_P(EachBackend, TextPositionsAreAsTheTableSays) {
  bool all_exact = true;
  for (const std::string content : {"one\ntwo two\nthree\n\nfive\n", "one\r\ntwo two\r\nthree\r\n\r\nfive\r\n"}) {
    lufio::test::WriteBytes(dir_.File("t"), content);
    lufio::TextFileR in(File("t"), factory());
    char line[64];
    bool complete = false;
    for (std::size_t end = content.find('\n'); end != std::string::npos; end = content.find('\n', end + 1)) {
      ASSERT_TRUE(in.GetLine(line, sizeof(line), complete));
      all_exact = all_exact && in.Tell() == static_cast<lusys::Long>(end + 1);
    }
  }
  EXPECT_EQ(all_exact, kFacts[GetParam()].text_positions_exact || !kFacts[GetParam()].folds_text);
}

TEST_P(EachBackend, TransfersAllocateNothing) {
  lufio::test::WriteBytes(dir_.File("f"), "line one\nline two\n");
  char buffer[64];
  bool complete = false;
  lufio::TextFileR in(File("f"), factory());
  lufio::FileW out(File("g"), lufio::FileHandler::TypeBinary, factory());
  const std::uint64_t before = lufio::test::AllocationCount();
  EXPECT_TRUE(in.GetLine(buffer, sizeof(buffer), complete));
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(buffer, 4)), 4u);
  EXPECT_EQ(in.Size() + out.Write(lusys::Literal("data")) + out.Size(), 26u);
  EXPECT_EQ(lufio::test::AllocationCount(), before);
}

INSTANTIATE_TEST_SUITE_P(All, EachBackend, ::testing::Range(0, 4), lufio::test::BackendName);

}  // namespace
