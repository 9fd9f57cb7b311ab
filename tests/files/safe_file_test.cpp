// SafeFileW over every back-end: the target changes only at Commit, in one
// step, after the data is stored and before the folder is; every failure
// names the target, keeps it whole and leaves nothing behind.

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "support/support.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;
using Call = sys::fault::Call;
using Names = std::vector<std::string>;
constexpr auto kBinary = FileHandler::TypeBinary;

Names Held(const std::string& dir) {  // the folder's entries, sorted
  Names names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The code of the Error that `op` throws; 0 when it throws none.
template <class Op>
lusys::ULong ThrowsCode(Op op) {
  try {
    op();
  } catch (const Error& e) {
    return e.GetCode();
  }
  return 0;
}

using SafeSave = EachBackend;

TEST_P(SafeSave, ReplacesTheTargetOnlyAtCommit) {
  const long descriptors = OpenDescriptors();
  WriteBytes(Path("t"), "old");
  {
    SafeFileW out(File("t"), kBinary, factory());
    out.Write(lusys::Literal("new ")), out.Flush(), out.Write(lusys::Literal("bytes"));
    EXPECT_EQ(ReadBytes(Path("t")), "old");
    EXPECT_EQ(Held(dir_.path()).size(), 2u);
    out.Commit();
    EXPECT_EQ(ReadBytes(Path("t")), "new bytes");
    ExpectError([&] { out.Write(lusys::Literal("x")); }, "Failed to write file", Path("t"), kClosedHandle);
    ExpectError([&] { out.CommitNotDurable(); }, "Failed to replace file", Path("t"), kClosedHandle);
  }
  SafeFileW(File("t"), kBinary, factory()).Write(lusys::Literal("dropped"));  // never committed
  // A target named relative to the working folder, which changes before Commit.
  const fs::path here = fs::current_path();
  fs::current_path(dir_.path());
  fs::create_directory("sub");
  SafeFileW fresh("sub/u", kBinary, factory());
  fs::current_path(here);
  fresh.Write(lusys::Literal("u")), fresh.CommitNotDurable();
  EXPECT_EQ(ReadBytes(Path("t")) + ReadBytes(Path("sub/u")), "new bytesu");
  EXPECT_EQ(Held(dir_.path()), (Names{"sub", "t"}));
  EXPECT_EQ(OpenDescriptors(), descriptors + (descriptors < 0 ? 0 : 1));  // `fresh` alone: its folder
}

// Each step failing in turn shows the order: the data is stored before the
// replace (the target is still old), the folder after it (the target is new);
// without durability neither is stored. A back-end's own failure names the
// target too.
TEST_P(SafeSave, EachFailingStepKeepsTheTargetWhole) {
  const auto& calls = FaultCallsOf(GetParam());
  struct Case {
    Call call;
    bool durable;
    const char* message;  // null: Commit succeeds
    const char* after;
    lusys::ULong code = 77;
    bool flush_first = false;  // an explicit Flush before Commit
  };
  const bool folder_synced = !kOnWindows;
  const std::vector<Case> cases = {
      {Call::SaveCreate, true, "Failed to open", "old"},
      {Call::SaveSync, true, "Failed to flush buffer", "old"},
      {Call::SaveSync, false, nullptr, "new"},
      {Call::SaveReplace, false, "Failed to replace file", "old"},
      {Call::SaveSyncFolder, true, folder_synced ? "Failed to flush folder" : nullptr, "new"},
      {Call::SaveSyncFolder, false, nullptr, "new"},
      {Call::SaveSyncFolder, true, nullptr, "new", EINVAL},  // a file system that cannot store a folder
      {calls.empty() ? Call::kCount : calls[2], true, "Failed to flush buffer", "old"},
      {calls.empty() ? Call::kCount : calls[2], true, nullptr, "new", 77, true},  // Flush fails, Commit not
      {calls.empty() ? Call::kCount : calls[5], true, "Failed to open", "old"},  // the back-end's open
      {calls.empty() ? Call::kCount : calls[0], true, "Failed to write file", "old"},  // the measure after Flush
      {calls.empty() ? Call::kCount : calls[4], true, "Failed to write file", "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.call));
    if (c.call == Call::kCount) continue;
    WriteBytes(Path("t"), "old");
    sys::fault::Arm(c.call, c.code);
    const auto save = [&] {
      const long descriptors = OpenDescriptors();
      SafeFileW out(File("t"), kBinary, factory());
      out.Write(lusys::Literal("new"));
      if (c.flush_first) ExpectError([&] { out.Flush(); }, "Failed to flush buffer", Path("t"), c.code);
      try {
        c.durable ? out.Commit() : out.CommitNotDurable();
      } catch (const Error&) {
        // Removed and closed at once, not only when the object goes; its folder stays open till then.
        EXPECT_EQ(Held(dir_.path()), Names{"t"});
        EXPECT_EQ(OpenDescriptors(), descriptors + (descriptors < 0 ? 0 : 1));
        throw;
      }
    };
    if (c.message == nullptr) {
      EXPECT_NO_THROW(save());
    } else {
      ExpectError(save, c.message, Path("t"), 77);
    }
    EXPECT_EQ(ReadBytes(Path("t")), c.after);
    EXPECT_EQ(Held(dir_.path()), Names{"t"});
    sys::fault::Disarm();
  }
}

INSTANTIATE_TEST_SUITE_P(All, SafeSave, ::testing::Range(0, 4), BackendName);

// POSIX: the new file is its owner's alone until Commit gives it the target's
// bits (or a new target's, less the umask); links lead to the file replaced.
TEST(SafeSavePosix, PermissionsLinksAndWhatIsRefused) {
  if (kOnWindows) GTEST_SKIP() << "POSIX permissions and links";
  const TempDir dir;
  const StdioHandlerFactory stdio;
  const auto file = [&](const char* name) { return lusys::CPPathFile(dir.File(name)); };
  const auto mode = [&](const std::string& name) {
    struct stat info;
    return ::stat(dir.File(name).c_str(), &info) == 0 ? info.st_mode & 07777 : 0u;
  };
  const mode_t mask = ::umask(022);
  WriteBytes(dir.File("t"), "old");
  fs::permissions(dir.File("t"), fs::perms(0640));
  fs::create_hard_link(dir.File("t"), dir.File("hard"));
  fs::create_symlink("t", dir.File("link"));
  fs::create_symlink("loop", dir.File("loop"));
  fs::permissions(dir.path(), fs::perms(0777));
  {
    SafeFileW out(file("link"), kBinary, stdio);
    out.Write(lusys::Literal("secret")), out.Flush();  // nothing buffered for the child of the fork below
    lusys::BasicStrOStream<char> temp;
    out.GetFileName().Print(temp);
    EXPECT_EQ(mode(fs::path(temp.Get()).filename().string()), 0600u);
    EXPECT_NE(RunUnprivileged([&] { return std::fopen(temp.Get().c_str(), "r") == nullptr && errno == EACCES; }), 0);
    out.Commit();
  }
  SafeFileW fresh(file("new"), kBinary, stdio), chosen(file("chosen"), kBinary, stdio);
  chosen.SetNewFileMode(0604);
  fresh.Commit(), chosen.Commit();
  EXPECT_EQ(ReadBytes(dir.File("t")) + ReadBytes(dir.File("hard")), "secretold");
  EXPECT_TRUE(fs::is_symlink(dir.File("link")));
  EXPECT_EQ((std::vector<unsigned>{mode("t"), mode("new"), mode("chosen")}), (std::vector<unsigned>{0640, 0644, 0604}));
  ::umask(mask);
  ExpectError([&] { SafeFileW(file("loop"), kBinary, stdio); }, "Failed to open", dir.File("loop"), ELOOP);
  ExpectError([&] { SafeFileW(lusys::CPPathFile(dir.path()), kBinary, stdio); }, "Failed to open", dir.path(), EISDIR);
  // A file the user may not write is refused before anything is made.
  fs::permissions(dir.File("t"), fs::perms(0644));
  EXPECT_NE(RunUnprivileged([&] { return ThrowsCode([&] { SafeFileW(file("t"), kBinary, stdio); }) == EACCES; }), 0);
  EXPECT_EQ(Held(dir.path()), (Names{"chosen", "hard", "link", "loop", "new", "t"}));
}

}  // namespace
}  // namespace lufio::test
