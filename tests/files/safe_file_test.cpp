// SafeFileW over every back-end: the target changes only at Commit, in one
// step, after the data is stored and before the folder is; every failure
// names the target, keeps it whole and leaves nothing behind.

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "support/support.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;
using Call = sys::fault::Call;
using Names = std::vector<std::string>;
constexpr auto kBinary = FileHandler::TypeBinary;

class SafeSave : public EachBackend {
 protected:
  Names Held() const {  // the folder's entries, sorted
    Names names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_P(SafeSave, ReplacesTheTargetOnlyAtCommit) {
  WriteBytes(Path("t"), "old");
  {
    SafeFileW out(File("t"), kBinary, factory());
    out.Write(lusys::Literal("new ")), out.Flush(), out.Write(lusys::Literal("bytes"));
    EXPECT_EQ(ReadBytes(Path("t")), "old");
    EXPECT_EQ(Held().size(), 2u);
    out.Commit();
    EXPECT_EQ(ReadBytes(Path("t")), "new bytes");
    ExpectError([&] { out.Write(lusys::Literal("x")); }, "Failed to write file", Path("t"), kClosedHandle);
    ExpectError([&] { out.CommitNotDurable(); }, "Failed to replace file", Path("t"), kClosedHandle);
  }
  SafeFileW(File("t"), kBinary, factory()).Write(lusys::Literal("dropped"));  // never committed
  SafeFileW fresh(File("u"), kBinary, factory());
  fresh.Write(lusys::Literal("u")), fresh.CommitNotDurable();
  EXPECT_EQ(ReadBytes(Path("t")) + ReadBytes(Path("u")), "new bytesu");
  EXPECT_EQ(Held(), (Names{"t", "u"}));
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
  };
  const bool folder_synced = !kOnWindows;
  const std::vector<Case> cases = {
      {Call::SaveCreate, true, "Failed to open", "old"},
      {Call::SaveSync, true, "Failed to flush buffer", "old"},
      {Call::SaveSync, false, nullptr, "new"},
      {Call::SaveReplace, false, "Failed to replace file", "old"},
      {Call::SaveSyncFolder, true, folder_synced ? "Failed to flush folder" : nullptr, "new"},
      {Call::SaveSyncFolder, false, nullptr, "new"},
      {calls.empty() ? Call::kCount : calls[2], true, "Failed to flush buffer", "old"},
      {calls.empty() ? Call::kCount : calls[4], true, "Failed to write file", "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.call));
    if (c.call == Call::kCount) continue;
    WriteBytes(Path("t"), "old");
    sys::fault::Arm(c.call, 77);
    const auto save = [&] {
      SafeFileW out(File("t"), kBinary, factory());
      out.Write(lusys::Literal("new"));
      c.durable ? out.Commit() : out.CommitNotDurable();
    };
    if (c.message == nullptr) {
      EXPECT_NO_THROW(save());
    } else {
      ExpectError(save, c.message, Path("t"), 77);
    }
    EXPECT_EQ(ReadBytes(Path("t")), c.after);
    EXPECT_EQ(Held(), Names{"t"});
    sys::fault::Disarm();
  }
}

// Windows: a target held by a handle that does not share its deletion cannot
// be replaced: refused at once when the save begins, retried for about two
// seconds when it commits; a handle that shares deletion refuses nothing.
TEST(SafeSaveWindows, TargetsHeldOpenOrReadOnly) {
  if (!kOnWindows) GTEST_SKIP() << "only Windows keeps an open file from being replaced";
  using std::chrono::steady_clock;
  const TempDir dir;
  const WinHandlerFactory win;
  const std::string t = dir.File("t");
  WriteBytes(t, "old");
  fs::permissions(t, fs::perms::owner_read);  // the read-only attribute
  ExpectError([&] { SafeFileW(t, kBinary, win); }, "Failed to open", t, 5);  // ERROR_ACCESS_DENIED
  fs::permissions(t, fs::perms::owner_all);
  std::optional<HeldFile> held(std::in_place, t, false);
  ExpectError([&] { SafeFileW(t, kBinary, win); }, "Failed to open", t, 32);  // ERROR_SHARING_VIOLATION
  held.reset();
  for (const int kind : {0, 1, 2}) {  // held for good, released after 300 ms, sharing deletion
    SafeFileW out(t, kBinary, win);
    out.Write(lusys::Literal("new"));
    held.emplace(t, kind == 2);
    std::thread release([&] {
      if (kind == 1) std::this_thread::sleep_for(std::chrono::milliseconds(300)), held->Release();
    });
    const auto start = steady_clock::now();
    if (kind == 0) ExpectError([&] { out.Commit(); }, "Failed to replace file", t, 32);
    if (kind != 0) out.Commit();
    const auto took = steady_clock::now() - start;
    release.join();
    held.reset();
    EXPECT_EQ(took > std::chrono::milliseconds(1000), kind == 0) << kind;
    EXPECT_EQ(ReadBytes(t), kind == 0 ? "old" : "new");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
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
    out.Write(lusys::Literal("secret"));
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
  const int refused = RunUnprivileged([&] {
    try {
      SafeFileW(file("t"), kBinary, stdio);
    } catch (const Error& e) {
      return e.GetCode() == EACCES;
    }
    return false;
  });
  EXPECT_NE(refused, 0);
  Names held;
  for (const auto& entry : fs::directory_iterator(dir.path())) held.push_back(entry.path().filename().string());
  std::sort(held.begin(), held.end());
  EXPECT_EQ(held, (Names{"chosen", "hard", "link", "loop", "new", "t"}));
}

}  // namespace
}  // namespace lufio::test
