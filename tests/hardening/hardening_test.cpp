// Real faults that the system offers, over every back-end: a full device, a
// directory opened as a file, a pipe that cannot seek; each must surface as the
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

// Every back-end refuses to open a directory as a file (Windows: access
// denied; Linux: EISDIR, over the C runtime EACCES), but fstream on Linux,
// which opens it: there reading bytes and lines fails.
TEST_P(EachBackend, DirectoryCannotBeReadAsAFile) {
  const std::string dir = dir_.path();
  const lusys::CPPathFile path(dir.c_str());
  if (kOnWindows || !Is("Ios")) {
    const lusys::ULong code = kOnWindows ? 5 : Is("Crt") ? EACCES : EISDIR;
    const long descriptors = OpenDescriptors();
    ExpectError([&] { FileR(path, kBinary, factory()); }, "Failed to open", dir, code);
    EXPECT_EQ(OpenDescriptors(), descriptors);  // what the open made to look at it is closed
    return;
  }
  TextFileR in(path, factory());
  char buffer[16];
  bool complete = false;
  ExpectError([&] { in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))); }, "Failed to read file", dir, EISDIR);
  ExpectError([&] { in.GetLine(buffer, sizeof(buffer), complete); }, "Failed to read file", dir, EISDIR);
}

// A read that the device refuses (/proc/self/mem at offset 0: EIO) fails as
// "Failed to read file", bytes and lines, on every back-end.
TEST_P(EachBackend, DeviceReadErrorsSurface) {
  const std::string mem = "/proc/self/mem";
  if (kOnWindows || !fs::exists(mem)) GTEST_SKIP() << "no /proc here";
  TextFileR in(lusys::CPPathFile(mem.c_str()), factory());
  char buffer[16];
  bool complete = false;
  const auto code = Is("Stdio") ? kAnyCode : EIO;
  ExpectError([&] { in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))); }, "Failed to read file", mem, code);
  ExpectError([&] { in.GetLine(buffer, sizeof(buffer), complete); }, "Failed to read file", mem, code);
}

// A FIFO read by FileR, an anonymous pipe by TextFileR: Tell, Size and Seek
// fail, yet every byte comes and the end, met again, is no error. The default
// line reader (Win32 handles, C runtime) begins with a Tell, so its first
// GetLine fails and reads nothing. stdio needs its zero fseek only to change
// direction, which the pipe refuses.
TEST_P(EachBackend, PipesReadToTheEnd) {
  const std::string sent = "one\ntwo\nthree", offset = "Failed to get file offset";
  UnixFifo fifo(Path("fifo")), pipe("");
  if (!fifo.ok() || !pipe.ok()) GTEST_SKIP() << "no pipes here";
  FileR bytes(lusys::CPPathFile(fifo.path().c_str()), kBinary, factory());
  TextFileR text(lusys::CPPathFile(pipe.path().c_str()), factory());
  fifo.Finish(sent), pipe.Finish(sent);
  ExpectError([&] { bytes.Tell(); }, offset, fifo.path(), ESPIPE);
  ExpectError([&] { bytes.Size(); }, offset, fifo.path(), ESPIPE);
  char buffer[8];
  const lusys::BasicRef<char> view(buffer, 3);
  bool complete = false, lines = !Is("Win") && !Is("Crt");
  std::string got;
  if (!lines) ExpectError([&] { text.GetLine(buffer, sizeof buffer, complete); }, offset, pipe.path(), ESPIPE);
  while (lines && text.GetLine(buffer, sizeof buffer, complete)) got += std::string(buffer) + "\n";
  while (const std::uint64_t n = text.Read(view)) got.append(buffer, n);
  while (const std::uint64_t n = bytes.Read(view)) got.append(buffer, n);
  EXPECT_EQ(got, (lines ? sent + "\n" : sent) + sent);
  EXPECT_EQ(bytes.Read(view) + text.Read(view), 0u);
  std::ofstream(fifo.path()) << "more";  // a new writer: a read after the end asks the system again
  EXPECT_EQ(bytes.Read(view), 3u);
  const UnixFifo both_ways(Path());
  FileRW rw(File(), kBinary, factory());
  if (Is("Stdio"))
    ExpectError([&] { rw.Write(lusys::Literal("x")), rw.Read(view); }, "Failed to move file pointer", Path(), ESPIPE);
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
