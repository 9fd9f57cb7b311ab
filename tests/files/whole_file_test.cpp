// WholeFile over every back-end (files of every size around its probe, a
// pipe, a source whose size is wrong, /proc), and the adopting factories
// (a pipe and a file opened by the caller, left open, named in errors).
#include <cerrno>
#include <fstream>
#include <sstream>
#include <utility>

#include "support/support.h"

namespace lufio::test {
namespace {

using FH = FileHandler;

std::string Pattern(std::size_t n) {
  std::string text(n, '\0');
  for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char>(i * 7 + i / 251);
  return text;
}

// A source that says it holds `said` bytes (its end, as Size measures it)
// and gives `has`: a file that grew or was cut after it was measured, or a
// /proc file that says 0.
struct Misleading final : FileHandlerFactory {
  Misleading(lusys::Long said, std::string has) : said(said), has(std::move(has)) {}
  struct Handler final : FileHandler {
    Handler(const lusys::CPPathFileBase& path, const Misleading& m) : FileHandler(path), m(m) {}
    lusys::Long tell() override { return at; }
    lusys::Long seek(lusys::Long offset, Whence whence) override {
      return at = offset + (whence == WhenceEnd ? m.said : whence == WhenceCurrent ? at : 0);
    }
    void flush() override {}
    bool open(Mode, Type) override { return true; }
    void close() override {}
    std::uint64_t read(char* buffer, lusys::Long size) override {
      const std::size_t n = m.has.copy(buffer, static_cast<std::size_t>(size), static_cast<std::size_t>(at));
      return at += static_cast<lusys::Long>(n), n;
    }
    std::uint64_t write(const char*, lusys::Long) override { return 0; }
    const Misleading& m;
    lusys::Long at = 0;
  };
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override {
    return std::make_unique<Handler>(path, *this);
  }
  lusys::Long said;
  std::string has;
};

class WholeFiles : public EachBackend {
 protected:
  // A factory of this back-end adopting what `fp` reads (its handle, its
  // descriptor, itself), or `text` for the iostream back-end, which adopts
  // stream buffers only.
  std::unique_ptr<FileHandlerFactory> Adopting(std::FILE* fp, std::streambuf& text) const {
    if (Is("Win")) return std::make_unique<AdoptedWinHandlerFactory>(HandleOf(DescriptorOf(fp)));
    if (Is("Crt")) return std::make_unique<AdoptedCrtHandlerFactory>(DescriptorOf(fp));
    if (Is("Stdio")) return std::make_unique<AdoptedStdioHandlerFactory>(fp);
    return std::make_unique<AdoptedIosHandlerFactory>(text);
  }
};

// Sizes around the 16 KiB probe: read whole as a string and into a buffer
// of the size (one byte less is refused), saved whole, read from an offset.
TEST_P(WholeFiles, EverySizeReadAndSavedWhole) {
  const std::string all = Pattern(70000);
  for (const std::size_t n : {0, 1, 16383, 16384, 16385, 70000}) {
    SCOPED_TRACE(n);
    const std::string data = all.substr(0, n);
    WholeFile::Save(Path(), data, FH::TypeBinary, factory());
    EXPECT_EQ(ReadBytes(Path()), data);
    EXPECT_EQ(WholeFile::Read(Path(), FH::TypeBinary, factory()), data);
    std::string buffer(n + 1, '#');
    EXPECT_EQ(WholeFile::Read(File(), lusys::BasicRef<char>(buffer.data(), n), FH::TypeBinary, factory()), n);
    EXPECT_EQ(buffer, data + "#");
    if (n == 0) continue;
    ExpectError(
        [&] { WholeFile::Read(File(), lusys::BasicRef<char>(buffer.data(), n - 1), FH::TypeBinary, factory()); },
        "Failed to read file", Path(), kOnWindows ? 122 : ENOBUFS);
    FileR from(File(), FH::TypeBinary, factory());
    from.Seek(1, FH::WhenceBegin);
    EXPECT_EQ(WholeFile::Read(from), data.substr(1));
  }
}

// A pipe by name (POSIX: /dev/fd/N, through the back-end's own open) and
// adopted (fed beyond any pipe's buffer), a source whose size is wrong either
// way, and a /proc file that says 0 bytes.
TEST_P(WholeFiles, SourcesOfUnknownOrWrongSize) {
  const std::string data = Pattern(300000);
  UnixFifo fifo("");
  if (fifo.ok()) {
    FileR named(lusys::CPPathFile(fifo.path()), FH::TypeBinary, factory());
    fifo.Finish(data.substr(0, 60000));  // what the pipe's buffer takes
    EXPECT_EQ(WholeFile::Read(named), data.substr(0, 60000));
  }
  FedPipe pipe(data);
  std::stringbuf text(data);
  FileR adopted("<pipe>", FH::TypeBinary, *Adopting(pipe.stream(), text));
  EXPECT_EQ(WholeFile::Read(adopted), data);
  using Wrong = std::pair<lusys::Long, std::size_t>;  // what the source says, what it has
  for (const auto& [said, has] : {Wrong{0, 40000}, Wrong{20000, 50000}, Wrong{50000, 20000}, Wrong{16384, 16385}}) {
    EXPECT_EQ(WholeFile::Read("m", FH::TypeBinary, Misleading(said, data.substr(0, has))), data.substr(0, has));
  }
  if (!kOnWindows) {
    std::ostringstream expected;
    expected << std::ifstream("/proc/self/mountinfo").rdbuf();
    EXPECT_EQ(WholeFile::Read("/proc/self/mountinfo", FH::TypeBinary, factory()), expected.str());
  }
}

// What an adopting factory reads stays open after the file object closes (a
// second object reads on), errors carry the name given, and an invalid object
// fails the open. (A redirected file: the program's checks, tests/tools.)
TEST_P(WholeFiles, AdoptedObjectsStayOpenAndNameTheirErrors) {
  FedPipe pipe("abcdef");
  std::stringbuf text("abcdef");
  const std::unique_ptr<FileHandlerFactory> adopting = Adopting(pipe.stream(), text);
  {
    FileR first("<pipe>", FH::TypeBinary, *adopting);
    char two[2];
    EXPECT_EQ(first.Read(lusys::BasicRef<char>(two, 2)), 2u);
    if (Is("Crt") || Is("Stdio")) ExpectError([&] { first.Size(); }, "Failed to get file offset", "<pipe>", {});
    first.Close();
    if (!Is("Ios"))
      ExpectError([&] { first.Read(lusys::BasicRef<char>(two, 2)); }, "Failed to read file", "<pipe>", {});
  }
  FileR second("<pipe>", FH::TypeBinary, *adopting);
  EXPECT_EQ(WholeFile::Read(second), "cdef");

  // An invalid object fails the open (a stream buffer, given by reference, cannot be one).
  const AdoptedWinHandlerFactory win(reinterpret_cast<void*>(-1));
  const AdoptedCrtHandlerFactory crt(-1);
  const AdoptedStdioHandlerFactory stdio(nullptr);
  const FileHandlerFactory* const invalid[] = {&win, &crt, &stdio, nullptr};  // in the back-ends' order
  if (const FileHandlerFactory* bad = invalid[GetParam()]) {
    ExpectError([&] { FileR("<bad>", FH::TypeBinary, *bad); }, "Failed to open", "<bad>", kClosedHandle);
  }
}

INSTANTIATE_TEST_SUITE_P(All, WholeFiles, ::testing::Range(0, 4), BackendName);

}  // namespace
}  // namespace lufio::test
