// Real faults that the system offers, over every back-end: a full device, a
// directory read as a file, a pipe that cannot seek; each must surface as the
// documented Error with the system's code, never as a crash or a lost byte.
// The full device and named pipes exist on Linux only.
//
// And exhausted memory: the n-th allocation fails, for n = 1, 2, ... until the
// operation goes through. Every failure must surface as std::bad_alloc and
// leave nothing behind: no leak (LeakSanitizer watches the asan build) and no
// open file or search handle.

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <new>

#include "support/support.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;
constexpr auto kBinary = FileHandler::TypeBinary;
const std::optional<lusys::ULong> kAnyCode;  // the stdio back-end's error indicator

// stdio reports the full device at the flush, fstream's flush never throws.
TEST_P(EachBackend, FullDeviceRefusesWritesAndFlushes) {
  const std::string full = "/dev/full";
  if (kOnWindows || !fs::exists(full)) GTEST_SKIP() << "no full device here";
  const std::vector<char> block(1 << 20, 'z');
  FileW out(lusys::CPPathFile(full.c_str()), kBinary, factory());
  if (Is("Stdio"))
    ExpectError([&] { out.Write(lusys::Literal("x")), out.Flush(); }, "Failed to flush buffer", full, ENOSPC);
  if (Is("Ios")) out.Write(lusys::Literal("x")), out.Flush();
  ExpectError([&] { out.Write(lusys::BasicRef<const char>(block.data(), block.size())); }, "Failed to write file", full,
              Is("Stdio") ? kAnyCode : ENOSPC);
}

// Windows, and the Win32 handle and C runtime stand-ins (EISDIR, EACCES),
// refuse to open a directory as a file; elsewhere reading bytes and lines fails.
TEST_P(EachBackend, DirectoryCannotBeReadAsAFile) {
  const std::string dir = dir_.path();
  const lusys::CPPathFile path(dir.c_str());
  if (kOnWindows || Is("Win") || Is("Crt")) {
    ExpectError([&] { FileR(path, kBinary, factory()); }, "Failed to open", dir,
                kOnWindows ? kAnyCode : std::optional<lusys::ULong>(Is("Win") ? EISDIR : EACCES));
    return;
  }
  TextFileR in(path, factory());
  char buffer[16];
  bool complete = false;
  const auto code = Is("Stdio") ? kAnyCode : EISDIR;
  ExpectError([&] { in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))); }, "Failed to read file", dir, code);
  ExpectError([&] { in.GetLine(buffer, sizeof(buffer), complete); }, "Failed to read file", dir, code);
}

// What was written into the pipe still arrives whole.
TEST_P(EachBackend, PipeCannotTellOrSeek) {
  const std::string name = dir_.File("fifo");
  const UnixFifo fifo(name);
  if (!fifo.ok()) GTEST_SKIP() << "no named pipes here";
  FileR in(lusys::CPPathFile(name.c_str()), kBinary, factory());
  ExpectError([&] { in.Tell(); }, "Failed to get file offset", name, ESPIPE);
  ExpectError([&] { in.Size(); }, "Failed to get file offset", name, ESPIPE);
  ExpectError([&] { in.Seek(0, FileHandler::WhenceCurrent); }, "Failed to get file offset", name, ESPIPE);
  std::ofstream(name) << "through the pipe";
  char buffer[16];
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 16u);
  EXPECT_EQ(std::string(buffer, 16), "through the pipe");
}

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
  if (!kReplacedOperatorNewReachesLibraries) GTEST_SKIP() << "lufio's allocations are its own here";
  WriteBytes(Path(), "content\n");
  const lusys::CPPathFile path = File();
  const FileHandlerFactory& factory = this->factory();
  const auto binary = FileHandler::TypeBinary;
  const std::function<void()> operations[] = {
      [&] { factory.Create(path); },           [&] { FileR f(path, binary, factory); },
      [&] { FileW f(path, binary, factory); }, [&] { FileRW f(path, binary, factory); },
      [&] { FileA f(path, binary, factory); }, [&] { TextFileR f(path, factory); },
  };
  for (const auto& operation : operations) EXPECT_GT(ExhaustAllocations(operation), 0);
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

INSTANTIATE_TEST_SUITE_P(All, EachBackend, ::testing::Range(0, 4), BackendName);

}  // namespace
}  // namespace lufio::test
