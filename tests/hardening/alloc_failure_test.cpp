// Exhausted memory: the n-th allocation fails, for n = 1, 2, ... until the
// operation goes through. Every failure must surface as std::bad_alloc and
// leave nothing behind: no leak (LeakSanitizer watches the asan build) and no
// open file or search handle.

#include <new>

#include "support/support.h"

namespace lufio::test {
namespace {

// Runs `operation` with the n-th allocation failing, for every n until it
// succeeds; returns how many failures it survived. Anything but bad_alloc
// fails the test.
int ExhaustAllocations(const std::function<void()>& operation) {
  for (int n = 1; n < 1000; ++n) {
    const long before = OpenDescriptors();
    FailAllocation(static_cast<std::uint64_t>(n));
    try {
      operation();
      FailAllocation(0);
      return n - 1;
    } catch (const std::bad_alloc&) {
      FailAllocation(0);
      EXPECT_EQ(OpenDescriptors(), before) << "a file stayed open after allocation " << n << " failed";
    }
  }
  ADD_FAILURE() << "never succeeded";
  return 0;
}

TEST_P(EachBackend, AllocationFailureInEveryFileObjectAndCreate) {
  WriteBytes(Path(), "content\n");
  const lusys::CPPathFile path = File();
  const FileHandlerFactory& factory = this->factory();
  const auto binary = FileHandler::TypeBinary;
  const std::function<void()> operations[] = {
      [&] { factory.Create(path); },           [&] { FileR f(path, binary, factory); },
      [&] { FileW f(path, binary, factory); }, [&] { FileRW f(path, binary, factory); },
      [&] { FileA f(path, binary, factory); }, [&] { TextFileR f(path, factory); },
  };
  for (const auto& operation : operations) ExhaustAllocations(operation);
}

TEST(AllocationFailure, DirReaderAndDirEntry) {
  if (!kReplacedOperatorNewReachesLibraries) GTEST_SKIP() << "lufio's allocations are its own here";
  const TempDir dir;
  WriteBytes(dir.File("a"), "");
  const lusys::CPPath path(dir.path().c_str());
  EXPECT_GT(ExhaustAllocations([&] { DirReader(path, DirReader::FilterAll).GetFirst(); }), 0);
  DirReader reader(path, DirReader::FilterFiles);
  const DirEntry& first = *reader.GetFirst();
  EXPECT_GT(ExhaustAllocations([&] { DirEntry copy(first); }), 0);
  DirEntry target;
  EXPECT_GT(ExhaustAllocations([&] { target = first; }), 0);
  EXPECT_STREQ(target.GetName(), "a");
}

}  // namespace
}  // namespace lufio::test
