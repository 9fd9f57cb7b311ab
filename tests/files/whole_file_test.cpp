// WholeFile over every back-end (files of every size around its probe, a
// pipe, a source whose size is wrong, /proc), and the adopting factories
// (a pipe and a file opened by the caller, left open, named in errors).
#include <cerrno>
#include <fstream>
#include <sstream>

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
class Misleading final : public FileHandler {
 public:
  Misleading(const lusys::CPPathFileBase& path, lusys::Long said, std::string has)
      : FileHandler(path), said_(said), has_(std::move(has)) {}

 private:
  lusys::Long tell() override { return at_; }
  lusys::Long seek(lusys::Long offset, Whence whence) override {
    return at_ = offset + (whence == WhenceEnd ? said_ : whence == WhenceCurrent ? at_ : 0);
  }
  void flush() override {}
  bool open(Mode, Type) override { return true; }
  void close() override {}
  std::uint64_t read(char* buffer, lusys::Long size) override {
    const std::size_t n = std::min(static_cast<std::size_t>(size), has_.size() - std::min(has_.size(), pos_));
    has_.copy(buffer, n, pos_);
    pos_ += n;
    at_ += static_cast<lusys::Long>(n);
    return n;
  }
  std::uint64_t write(const char*, lusys::Long) override { return 0; }
  lusys::Long said_, at_ = 0;
  std::string has_;
  std::size_t pos_ = 0;
};

struct MisleadingFactory final : FileHandlerFactory {
  MisleadingFactory(lusys::Long said, std::string has) : said(said), has(std::move(has)) {}
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override {
    return std::make_unique<Misleading>(path, said, has);
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
    ExpectError([&] { WholeFile::Read(File(), lusys::BasicRef<char>(buffer.data(), n - 1), FH::TypeBinary, factory()); },
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
  const struct {
    lusys::Long said;
    std::size_t has;
  } kWrong[] = {{0, 40000}, {20000, 50000}, {50000, 20000}, {16384, 16385}};
  for (const auto& wrong : kWrong) {
    EXPECT_EQ(WholeFile::Read("m", FH::TypeBinary, MisleadingFactory(wrong.said, data.substr(0, wrong.has))),
              data.substr(0, wrong.has));
  }
  if (!kOnWindows) {
    std::ostringstream expected;
    expected << std::ifstream("/proc/self/mountinfo").rdbuf();
    EXPECT_EQ(WholeFile::Read("/proc/self/mountinfo", FH::TypeBinary, factory()), expected.str());
  }
}

// What an adopting factory reads stays open after the file object closes (a
// second object reads on), errors carry the name given, a file the caller
// opened is measured and read whole, and an invalid object fails the open.
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
    if (!Is("Ios")) ExpectError([&] { first.Read(lusys::BasicRef<char>(two, 2)); }, "Failed to read file", "<pipe>", {});
  }
  FileR second("<pipe>", FH::TypeBinary, *adopting);
  EXPECT_EQ(WholeFile::Read(second), "cdef");

  WriteBytes(Path(), "redirected");
  std::FILE* fp = std::fopen(Path().c_str(), "rb");
  ASSERT_NE(fp, nullptr);
  std::stringbuf same("redirected");
  {
    FileR in("<file>", FH::TypeBinary, *Adopting(fp, same));
    EXPECT_EQ(in.Size(), 10);
    EXPECT_EQ(WholeFile::Read(in), "redirected");
  }
  EXPECT_EQ(std::fclose(fp), 0);  // still open: closed once, here

  if (Is("Ios")) return;  // a stream buffer is given by reference: never invalid
  const std::unique_ptr<FileHandlerFactory> invalid =
      Is("Win")     ? std::unique_ptr<FileHandlerFactory>(new AdoptedWinHandlerFactory(reinterpret_cast<void*>(-1)))
      : Is("Crt")   ? std::unique_ptr<FileHandlerFactory>(new AdoptedCrtHandlerFactory(-1))
                    : std::unique_ptr<FileHandlerFactory>(new AdoptedStdioHandlerFactory(nullptr));
  ExpectError([&] { FileR("<bad>", FH::TypeBinary, *invalid); }, "Failed to open", "<bad>", kClosedHandle);
}

INSTANTIATE_TEST_SUITE_P(All, WholeFiles, ::testing::Range(0, 4), BackendName);

}  // namespace
}  // namespace lufio::test
