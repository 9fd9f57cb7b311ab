// DirTreeReader over trees made by each test: what it hands out and in which
// order, links followed or not, and the folders it cannot read.

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "support/support.h"

namespace lufio {
namespace {

namespace fs = std::filesystem;
using Seen = std::set<std::string>;

// "depth path", with the platform's separator written as '/'; a report reads
// "! path code".
std::string Line(const DirTreeEntry& e) {
  std::string path = e.GetPath();
  for (char& c : path) c = c == test::kPathSeparator ? '/' : c;
  if (e.GetError() != nullptr) return "! " + path + " " + std::to_string(e.GetError()->GetCode());
  return std::to_string(e.GetDepth()) + " " + path;
}

class DirTreeReaderTest : public ::testing::Test {
 protected:
  void Make(const std::vector<std::string>& dirs, const std::vector<std::string>& files) const {
    // Joined as UTF-8 text: fs::path would read the names in the runtime's code page.
    for (const std::string& d : dirs) fs::create_directories(fs::u8path(dir_.path() + "/" + d));
    for (const std::string& f : files) std::ofstream(fs::u8path(dir_.path() + "/" + f)) << "x";
  }
  // Every line of a walk; also checks that each folder came before its
  // contents and that GetName ends GetPath. `each` may act on each entry.
  Seen Walk(DirReader::Filter filter, std::uint32_t options = 0,
            const std::function<void(DirTreeReader&, const DirTreeEntry&)>& each = nullptr) const {
    DirTreeReader walk(lusys::CPPath(dir_.path().c_str()), filter, options);
    Seen seen, folders{""};
    for (const DirTreeEntry* e = walk.GetFirst(); e != nullptr; e = walk.GetNext()) {
      const std::string path = e->GetPath(), name = e->GetName();
      const std::size_t slash = path.rfind(test::kPathSeparator);
      EXPECT_EQ(e->GetError() ? name : path.substr(slash + 1), name);
      EXPECT_TRUE(filter == DirReader::FilterFiles || folders.count(path.substr(0, slash + 1 ? slash : 0)) == 1)
          << path;
      if (e->IsDir()) folders.insert(path);
      EXPECT_TRUE(seen.insert(Line(*e)).second) << "twice: " << Line(*e);
      if (each) each(walk, *e);
    }
    EXPECT_EQ(walk.GetNext(), nullptr);
    return seen;
  }
  test::TempDir dir_;
};

// Pre-order, depth and relative path for every filter; folders are entered
// also when only files are listed; SkipDir keeps the walk out of one.
TEST_F(DirTreeReaderTest, WalksEveryLevelThroughTheFilter) {
  Make({"a/b b", "a/e", u8"ü日本/x"}, {"top", "a/b b/c.txt", "a/d e.txt", u8"ü日本/x/y"});
  const Seen files{"0 top", "2 a/b b/c.txt", "1 a/d e.txt", u8"2 ü日本/x/y"};
  const Seen dirs{"0 a", "1 a/b b", "1 a/e", u8"0 ü日本", u8"1 ü日本/x"};
  Seen all = files;
  all.insert(dirs.begin(), dirs.end());
  const std::pair<DirReader::Filter, Seen> cases[] = {{DirReader::FilterFiles, files},
                                                      {DirReader::FilterDirs, dirs},
                                                      {DirReader::FilterAll, all},
                                                      {DirReader::Filter(7), all}};
  for (const auto& [filter, expected] : cases) {
    SCOPED_TRACE(filter);
    EXPECT_EQ(Walk(filter), expected);
  }
  const Seen skipped = Walk(DirReader::FilterAll, 0, [](DirTreeReader& walk, const DirTreeEntry& e) {
    if (std::string(e.GetName()) == "a") walk.SkipDir();
  });
  EXPECT_EQ(skipped, (Seen{"0 top", "0 a", u8"0 ü日本", u8"1 ü日本/x", u8"2 ü日本/x/y"}));
}

// A link to a folder is listed (0x410) and not entered; followed, it is
// entered once, and a link back to a folder being walked is not.
TEST_F(DirTreeReaderTest, EntersLinksOnlyWhenAskedAndEachLoopOnce) {
  Make({"a/b"}, {"a/b/f"});
  std::error_code error;
  fs::create_directory_symlink("..", dir_.File("a/b/up"), error);
  fs::create_directory_symlink("a", dir_.File("to-a"), error);
  if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  const Seen listed{"0 a", "1 a/b", "2 a/b/f", "2 a/b/up", "0 to-a"};
  const auto link_bits = [](DirTreeReader&, const DirTreeEntry& e) {
    const bool link = e.GetName() == std::string("up") || e.GetName() == std::string("to-a");
    EXPECT_EQ(e.GetAttributes() & 0x410u, link ? 0x410u : e.GetAttributes() & 0x10u) << e.GetPath();
  };
  EXPECT_EQ(Walk(DirReader::FilterAll, 0, link_bits), listed);
  Seen followed = listed;
  followed.insert({"1 to-a/b", "2 to-a/b/f", "2 to-a/b/up"});
  EXPECT_EQ(Walk(DirReader::FilterAll, DirTreeReader::OptionFollowLinks), followed);
}

// A folder the walk cannot read is reported with its code and the walk goes
// on; with OptionStopOnError it throws. Cases: failed midway (the root),
// removed after it was handed out, a pattern of 260 characters (Windows' MAX_PATH, the zero counted),
// one without permission.
TEST_F(DirTreeReaderTest, ReportsWhatItCannotReadAndGoesOn) {
  sys::fault::Arm(sys::fault::Call::FindNextFileA, 5);  // the root, empty, fails midway
  EXPECT_EQ(Walk(DirReader::FilterFiles), Seen{"!  5"});
  const std::string longName(258 - dir_.path().size() - 3, 'n');  // "/l/" + name + "/*": 260
  Make({"gone/x", "l/" + longName}, {"z"});
  const lusys::ULong missing = test::kOnWindows ? 3 : test::kFileNotFound,
                     tooLong = test::kOnWindows ? 206 : ENAMETOOLONG;
  const auto remove = [this](DirTreeReader&, const DirTreeEntry& e) {
    if (std::string(e.GetName()) == "gone") fs::remove_all(dir_.File("gone"));
  };
  const Seen expected{"0 gone",
                      "! gone " + std::to_string(missing),
                      "0 l",
                      "1 l/" + longName,
                      "! l/" + longName + " " + std::to_string(tooLong),
                      "0 z"};
  EXPECT_EQ(Walk(DirReader::FilterAll, 0, remove), expected);
  test::ExpectError<DirReader::Error>([&] { Walk(DirReader::FilterAll, DirTreeReader::OptionStopOnError); },
                                      "Failed to open", dir_.File("l") + test::kPathSeparator + longName, tooLong);
  if (test::kOnWindows) return;
  fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(dir_.File("l"), fs::perms::none);
  const int unprivileged = test::RunUnprivileged([&] {
    return Walk(DirReader::FilterFiles) == Seen{"! l " + std::to_string(EACCES), "0 z"};
  });
  fs::permissions(dir_.File("l"), fs::perms::owner_all);
  if (unprivileged == -1) GTEST_SKIP() << "no user without root's rights to walk as";
  EXPECT_EQ(unprivileged, 1);
}

}  // namespace
}  // namespace lufio
