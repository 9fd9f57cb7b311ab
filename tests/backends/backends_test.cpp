// What each back-end's handler does beyond the model of tests/model/: modes
// and types outside the enums, each system call's failure with the system's
// code, a closed handler, and positions at the 32-bit limits.

#include <cerrno>
#include <climits>
#include <filesystem>
#include <map>
#include <memory>

#include "support/support.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;
using Call = sys::fault::Call;
using FH = FileHandler;
using Long = lusys::Long;

// The handler's private operations, reached through member pointers named in
// explicit instantiations, where the language does not check access. A call
// through one dispatches virtually, as the file objects' own calls do.
template <class Tag, typename Tag::Type kMember>
struct Expose {
  friend typename Tag::Type Get(Tag) { return kMember; }
};
#define LUFIO_TEST_EXPOSE(Name, Signature) \
  struct Name {                            \
    using Type = Signature;                \
    friend Type Get(Name);                 \
  };                                       \
  template struct Expose<Name, &FH::Name>
LUFIO_TEST_EXPOSE(tell, Long (FH::*)());
LUFIO_TEST_EXPOSE(seek, Long (FH::*)(Long, FH::Whence));
LUFIO_TEST_EXPOSE(open, bool (FH::*)(FH::Mode, FH::Type));
LUFIO_TEST_EXPOSE(close, void (FH::*)());
LUFIO_TEST_EXPOSE(read, std::uint64_t (FH::*)(char*, Long));
LUFIO_TEST_EXPOSE(write, std::uint64_t (FH::*)(const char*, Long));
#undef LUFIO_TEST_EXPOSE
template <class Tag, class... Args>
auto Do(FileHandler& h, Args... args) {
  return (h.*Get(Tag{}))(args...);
}

// The system's last error, read as the library reads it.
struct LastErrorProbe : lusys::Exception {
  using lusys::Exception::get_last_error;
};

constexpr char kTellFailed[] = "Failed to get file offset", kSeekFailed[] = "Failed to move file pointer";

// Handlers close when they go (only the iostream back-end's would by itself).
struct Closer {
  void operator()(FileHandler* h) const {
    Do<close>(*h);
    delete h;
  }
};
using Handle = std::unique_ptr<FileHandler, Closer>;

class Backends : public EachBackend {
 protected:
  Handle Create(const std::string& name) const { return Handle(factory().Create(File(name)).release()); }
  Handle Open(FH::Mode mode, FH::Type type = FH::TypeBinary, const std::string& name = "f") {
    Handle h = Create(name);
    EXPECT_TRUE(Do<open>(*h, mode, type));
    return h;
  }
  std::string ReadCrLfAs(FH::Type type) {
    WriteBytes(Path(), "a\r\nb");
    char buffer[16];
    return std::string(buffer, Do<read>(*Open(FH::ModeRead, type), buffer, sizeof buffer));
  }
};

// A Mode outside the enum opens read-only over the C runtime and fails
// elsewhere; Type 2 is text over fstream, every Type but 0 binary elsewhere.
TEST_P(Backends, ModesAndTypes) {
  EXPECT_EQ(ReadCrLfAs(FH::TypeText), facts().folds_text ? "a\nb" : "a\r\nb");
  EXPECT_EQ(ReadCrLfAs(static_cast<FH::Type>(2)), Is("Ios") && kOnWindows ? "a\nb" : "a\r\nb");
  const bool opens = Is("Crt");
  Handle odd = Create(opens ? "f" : "none");
  EXPECT_EQ(Do<open>(*odd, static_cast<FH::Mode>(Is("Stdio") ? 4 : 7), FH::TypeBinary), opens);
  EXPECT_EQ(opens ? 0 : LastErrorProbe::get_last_error(), opens ? 0 : kOnWindows ? 87u : EINVAL);  // invalid parameter
  if (opens) {
    EXPECT_THROW(Do<write>(*odd, "x", 1), Error);
  }
  EXPECT_FALSE(fs::exists(Path("none")));
  Open(FH::ModeWrite, FH::TypeBinary, "new");  // created readable and writable
  EXPECT_NE(fs::status(Path("new")).permissions() & fs::perms::owner_write, fs::perms::none);
  auto h = Open(FH::ModeRead);
  EXPECT_THROW(Do<write>(*h, "x", 1), Error);  // opened for reading only
  ExpectError([&] { Do<seek>(*h, -1, FH::WhenceBegin); }, kSeekFailed, Path(), std::nullopt);
  char one = '#';
  bool complete = false;  // a line needs room for a character and its end: the handler's entry refuses
  EXPECT_FALSE(h->GetLine(&one, 1, complete) || complete || one != '#');
  WriteBytes(Path("ab"), "ab\n");  // in pieces of one character
  TextFileR pieces(File("ab"), factory());
  std::string got;
  char two[2];
  while (pieces.GetLine(two, 2, complete)) got += std::string(two) + (complete ? "|" : "+");
  EXPECT_EQ(got, "a+b|");
  // A line appended after the end was met comes next (but for fstream on Windows, till a Tell).
  FileA(File("ab"), FH::TypeBinary, factory()).Write(lusys::Literal("c\n"));
  EXPECT_EQ(pieces.GetLine(two, 2, complete) && std::string(two) == "c", !(Is("Ios") && kOnWindows));
  if (Is("Ios")) {  // its handler closes the file when destroyed, keeping what was written
    auto raw = factory().Create(File());
    ASSERT_TRUE(Do<open>(*raw, FH::ModeWrite, FH::TypeBinary));
    raw->Write(lusys::Literal("kept"));
    raw.reset();
    EXPECT_EQ(ReadBytes(Path()), "kept");
  }
}

// A Read or Write of 2 GiB or more reaches the system in pieces of
// 2,147,483,647 bytes, the most each platform call takes; a short file gives
// what it holds, the null device takes every byte.
TEST_P(Backends, TransfersTwoGibibytesAtOnce) {
  WriteBytes(Path(), "abc");
  const std::uint64_t size = std::uint64_t{INT_MAX} + 1;
  const std::unique_ptr<char[]> buffer(new char[size]);  // never filled: the pages stay untouched
  EXPECT_EQ(Open(FH::ModeRead)->Read(lusys::BasicRef<char>(buffer.get(), size)), 3u);
  EXPECT_EQ(std::string(buffer.get(), 3), "abc");
  if (kOnWindows) return;  // Linux's null device stores nothing and reads no byte of the buffer
  const Handle null(factory().Create(lusys::CPPathFile("/dev/null")).release());
  EXPECT_TRUE(Do<open>(*null, FH::ModeWrite, FH::TypeBinary) && null->Write({buffer.get(), size}) == size);
}

// The other calls' failures are checked by the model of tests/model/.
TEST_P(Backends, FailingOpenAndSecondClose) {
  const std::vector<Call>& calls = FaultCallsOf(GetParam());
  if (calls.empty()) GTEST_SKIP() << "no fault seam; real faults are in tests/hardening";
  sys::fault::Arm(calls[5], 77);
  EXPECT_FALSE(Do<open>(*Create("g"), FH::ModeWrite, FH::TypeBinary));
  EXPECT_EQ(LastErrorProbe::get_last_error(), 77u);
  auto h = Open(FH::ModeReadWrite);
  Do<close>(*h);
  sys::fault::Arm(calls[6], 1, 0, 0);
  Do<close>(*h);  // a second close calls nothing
  EXPECT_EQ(sys::fault::Fired(calls[6]), 0u);
  sys::fault::Arm(calls[1], 55, 0, 0);  // a closed handler's move calls nothing either, but over Win32 handles
  ExpectError([&] { Do<seek>(*h, 0, FH::WhenceBegin); }, kSeekFailed, Path(),
              facts().closed_calls_system ? 55 : kClosedHandle);
  if (Is("Win")) {  // an append open that cannot reach the end throws and releases the handle
    auto a = Create("f");
    sys::fault::Arm(Call::SetFilePointer, 88);
    ExpectError([&] { Do<open>(*a, FH::ModeAppend, FH::TypeBinary); }, kSeekFailed, Path(), 88);
    ExpectError([&] { Do<tell>(*a); }, kTellFailed, Path(), kClosedHandle);
  }
}

// On a sparse file of 4 GiB and 64 bytes, Linux only (Windows' runtime has
// rules of its own beyond 2 GiB): the Win32 stand-in moves within 32 unsigned
// bits and hands back the low part, the others stop at 0x7FFFFFFF. A refused
// move leaves the position, except over fstream, which has moved all the same.
TEST_P(Backends, PositionsAtThe32BitLimits) {
  if (kOnWindows) GTEST_SKIP() << "Linux stand-ins only";
  WriteBytes(Path(), "");
  std::error_code ec;
  fs::resize_file(Path(), 0x100000040, ec);
  if (ec) GTEST_SKIP() << "no sparse files here: " << ec.message();
  auto h = Open(FH::ModeRead);
  const auto seek_to = [&](Long offset, FH::Whence whence) {
    return [&h, offset, whence] { return Do<seek>(*h, offset, whence); };
  };
  const std::function<Long()> steps[] = {seek_to(INT32_MAX, FH::WhenceBegin),    [&] { return Do<tell>(*h); },
                                         seek_to(1, FH::WhenceCurrent),          [&] { return Do<tell>(*h); },
                                         seek_to(0x7FFFFFF0, FH::WhenceCurrent), seek_to(16, FH::WhenceCurrent),
                                         [&] { return Do<tell>(*h); },           seek_to(0, FH::WhenceEnd)};
  std::string seen;
  for (const auto& step : steps) {
    try {
      seen += std::to_string(step()) + " ";
    } catch (const Error& e) {  // "move" or "get " and the code
      seen += std::string(e.GetText()).substr(10, 4) + std::to_string(e.GetCode()) + " ";
    }
  }
  const std::map<std::string, std::string> expected = {
      {"Win", "2147483647 2147483647 -2147483648 -2147483648 -16 move22 -16 move22 "},
      {"Crt", "2147483647 2147483647 move22 2147483647 move22 move22 2147483647 move22 "},
      {"Stdio", "2147483647 2147483647 move75 2147483647 move75 move75 2147483647 move75 "},
      {"Ios", "2147483647 2147483647 move75 get 75 move75 move75 get 75 move75 "}};
  EXPECT_EQ(seen, expected.at(facts().name));
}

INSTANTIATE_TEST_SUITE_P(All, Backends, ::testing::Range(0, 4), BackendName);

}  // namespace
}  // namespace lufio::test
