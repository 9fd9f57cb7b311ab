// Exhausted memory: the n-th allocation fails, for n = 1, 2, ... until the
// operation goes through. Every failure must surface as std::bad_alloc and
// leave nothing behind: no leak (LeakSanitizer watches the asan build) and no
// open file or search handle.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "support/alloc_counter.h"
#include "support/factories.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace {

using lufio::FileHandler;
namespace fs = std::filesystem;

// Open descriptors of this process where the system lists them, else -1.
long OpenDescriptors() {
  std::error_code ec;
  if (!fs::exists("/proc/self/fd", ec)) return -1;
  long count = 0;
  for (auto it = fs::directory_iterator("/proc/self/fd", ec); !ec && it != fs::directory_iterator(); it.increment(ec))
    ++count;
  return count;
}

// Runs `operation` with the n-th allocation failing, for every n until it
// succeeds; returns how many failures it survived.
int ExhaustAllocations(const std::function<void()>& operation) {
  for (int n = 1; n < 1000; ++n) {
    const long before = OpenDescriptors();
    lufio::test::FailAllocation(static_cast<std::uint64_t>(n));
    try {
      operation();
      lufio::test::FailAllocation(0);
      return n - 1;
    } catch (const std::bad_alloc&) {
      lufio::test::FailAllocation(0);
      EXPECT_EQ(OpenDescriptors(), before) << "a file stayed open after allocation " << n << " failed";
    } catch (...) {
      lufio::test::FailAllocation(0);
      ADD_FAILURE() << "allocation " << n << " failed as something other than std::bad_alloc";
      return n;
    }
  }
  ADD_FAILURE() << "never succeeded";
  return 0;
}

template <class Factory>
class AllocationFailure : public ::testing::Test {
 protected:
  void SetUp() override { lufio::test::WriteBytes(name_, "content\n"); }
  const Factory factory_{};
  lufio::test::TempDir dir_;
  std::string name_ = dir_.File("f");
  lusys::CPPathFile path_{name_.c_str()};
};

TYPED_TEST_SUITE(AllocationFailure, lufio::test::AllFactories, lufio::test::FactoryNames);

TYPED_TEST(AllocationFailure, EveryFileObjectAndCreate) {
  const auto binary = FileHandler::TypeBinary;
  const auto& path = this->path_;
  const auto& factory = this->factory_;
  const std::function<void()> operations[] = {
      [&] { factory.Create(path); },
      [&] { lufio::FileR f(path, binary, factory); },
      [&] { lufio::FileW f(path, binary, factory); },
      [&] { lufio::FileRW f(path, binary, factory); },
      [&] { lufio::FileA f(path, binary, factory); },
      [&] { lufio::TextFileR f(path, factory); },
  };
  for (const auto& operation : operations) ExhaustAllocations(operation);
}

TEST(AllocationFailure, DirReaderAndDirEntry) {
  if (!lufio::test::kReplacedOperatorNewReachesLibraries) GTEST_SKIP() << "lufio's allocations are its own here";
  lufio::test::TempDir dir;
  lufio::test::WriteBytes(dir.File("a"), "");
  const lusys::CPPath path(dir.path().c_str());
  EXPECT_GT(ExhaustAllocations([&] {
              lufio::DirReader reader(path, lufio::DirReader::FilterAll);
              reader.GetFirst();
            }),
            0);

  lufio::DirReader reader(path, lufio::DirReader::FilterFiles);
  const lufio::DirEntry& first = *reader.GetFirst();
  EXPECT_GT(ExhaustAllocations([&] { lufio::DirEntry copy(first); }), 0);
  lufio::DirEntry target;
  EXPECT_GT(ExhaustAllocations([&] { target = first; }), 0);
  EXPECT_STREQ(target.GetName(), "a");
}

}  // namespace
