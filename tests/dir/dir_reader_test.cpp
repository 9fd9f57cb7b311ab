// DirReader, DirEntry and DirReader::Error, on real temporary directories;
// failing search steps are provoked through the platform layer's fault seam.

#include <lufio/dir_entry_imp.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

#include "support/support.h"

namespace lufio {
namespace {

namespace fs = std::filesystem;
using Filter = DirReader::Filter;
using sys::fault::Call;
using Names = std::vector<std::string>;

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

class DirReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { sys::fault::Disarm(); }
  void Make(const Names& files, const Names& dirs = {}) const {
    for (const std::string& name : files) test::WriteBytes(dir_.File(name), std::string(name.size(), 'x'));
    for (const std::string& name : dirs) fs::create_directory(dir_.File(name));
  }
  lusys::CPPath Path() const { return lusys::CPPath(dir_.path().c_str()); }
  // The names in the platform's order, starting with GetFirst or GetNext.
  Names List(Filter filter, bool from_first = true, const char* dir = nullptr) const {
    DirReader reader(dir != nullptr ? lusys::CPPath(dir) : Path(), filter);
    Names names;
    for (auto* e = from_first ? reader.GetFirst() : reader.GetNext(); e != nullptr; e = reader.GetNext())
      names.push_back(e->GetName());
    return names;
  }

  test::TempDir dir_;
};

// Windows drops trailing dots from the names it creates, so "..." can be made
// only elsewhere. Every listing gives its search back.
TEST_F(DirReaderTest, ListsByFilterWithoutDotEntries) {
  const long descriptors = test::OpenDescriptors();
  EXPECT_TRUE(List(DirReader::FilterAll).empty());
  Names files{"a.txt", ".hidden", "..x"}, dirs{"sub", ".d"};
  if (!test::kOnWindows) files.push_back("...");
  Make(files, dirs);
  Names all = files;
  all.insert(all.end(), dirs.begin(), dirs.end());
  const std::pair<Filter, Names> cases[] = {
      {DirReader::FilterFiles, files}, {DirReader::FilterDirs, dirs}, {DirReader::FilterAll, all}, {Filter(7), all}};
  for (const auto& [filter, expected] : cases) {
    SCOPED_TRACE(filter);
    EXPECT_EQ(Sorted(List(filter)), Sorted(expected));
  }
  EXPECT_EQ(List(DirReader::FilterAll, true, ""), List(DirReader::FilterAll, true, "."));  // "" is the current one
  EXPECT_EQ(test::OpenDescriptors(), descriptors);
}

// A FIFO is marked 0x40 (FILE_ATTRIBUTE_DEVICE) and listed as a file; a link
// is the link itself, 0x400 (FILE_ATTRIBUTE_REPARSE_POINT) with 0x10 when it
// leads to a directory, as Windows marks one. A directory that may
// be read but not searched still lists every name by its type alone, without
// times, for a user whom permissions bind.
TEST_F(DirReaderTest, MarksSpecialEntriesAndListsWhatItMayNotSearch) {
  Make({"file"}, {"sub"});
  const test::UnixFifo fifo(dir_.File("fifo"));
  if (!fifo.ok()) GTEST_SKIP() << "no named pipes here";
  fs::create_directory_symlink("sub", dir_.File("to-sub"));
  fs::create_symlink("missing", dir_.File("dangling"));
  using Seen = std::map<std::string, std::uint32_t>;
  const auto attributes = [this](bool searchable) {
    Seen seen;
    DirReader reader(Path(), DirReader::FilterAll);
    for (auto* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) {
      const auto& record = const_cast<DirEntry*>(e)->GetImp();
      seen[e->GetName()] = record.dwFileAttributes | (record.ftLastWriteTime.dwHighDateTime != 0 ? 1u << 20 : 0);
    }
    const std::uint32_t t = searchable ? 1u << 20 : 0, link = searchable ? 0x410 : 0x400;
    const Seen expected{
        {"fifo", 0x40 | t}, {"file", 0x80 | t}, {"sub", 0x10 | t}, {"to-sub", link | t}, {"dangling", 0x400 | t}};
    return seen == expected;
  };
  EXPECT_TRUE(attributes(true));
  EXPECT_EQ(Sorted(List(DirReader::FilterFiles)), Sorted({"dangling", "fifo", "file"}));
  fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int unprivileged = test::RunUnprivileged([&] { return attributes(false); });
  fs::permissions(dir_.path(), fs::perms::owner_all);
  if (unprivileged == -1) GTEST_SKIP() << "no user without root's rights to list as";
  EXPECT_EQ(unprivileged, 1);
}

// Windows' search reports a missing directory as a missing path (3). A zero
// byte inside the text, where the search would stop and find the directory
// itself, is refused (ERROR_INVALID_NAME or EINVAL). The texts keep 255
// characters up to a zero, paths 260. A pattern cut at 260 characters fails
// as too long, also where the cut would leave a folder of 258 and "/*".
TEST_F(DirReaderTest, FailsToOpenWithTheDirectoryText) {
  Make({"plain"}, {std::string(257 - dir_.path().size(), 'a')});
  const std::string cut = dir_.File(std::string(257 - dir_.path().size(), 'a')) + "/*/sub";
  const lusys::ULong too_long = test::kOnWindows ? 206 : ENAMETOOLONG;
  const struct {
    std::string dir;
    bool fault;
    std::optional<lusys::ULong> code;
  } cases[] = {{dir_.File("missing"), false, test::kOnWindows ? 3 : test::kFileNotFound},
               {dir_.File("plain"), false, std::nullopt}, {dir_.File(std::string(300, 'm')), false, too_long},
               {cut, false, too_long}, {dir_.path(), true, 5}, {dir_.path() + '\0' + "x", false, test::kOnWindows ? 123 : EINVAL}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    if (c.fault) sys::fault::Arm(Call::FindFirstFileA, *c.code);
    test::ExpectError<DirReader::Error>([&] { DirReader reader(lusys::CPPath(c.dir), DirReader::FilterAll); },
                                        "Failed to open", c.dir.c_str(), c.code);
  }
}

// The current directory removed from under the process still opens, but
// lists nothing, not even ".": the search fails as for a missing one and
// gives back what it opened. Windows removes no directory in use.
TEST_F(DirReaderTest, FailsOnARemovedCurrentDirectoryAndGivesItBack) {
  if (test::kOnWindows) GTEST_SKIP() << "a directory in use cannot be removed";
  const fs::path back = fs::current_path();
  fs::create_directory(dir_.File("gone"));
  fs::current_path(dir_.File("gone"));
  fs::remove(dir_.File("gone"));
  const long descriptors = test::OpenDescriptors();
  test::ExpectError<DirReader::Error>([] { DirReader(lusys::CPPath(""), DirReader::FilterAll); }, "Failed to open", "",
                                      test::kFileNotFound);
  EXPECT_EQ(test::OpenDescriptors(), descriptors);
  fs::current_path(back);
}

TEST_F(DirReaderTest, StepsInPlaceAndStaysAtTheEnd) {
  Make({"a", "bb", "ccc"});
  DirReader reader(Path(), DirReader::FilterFiles);
  const DirEntry* first = reader.GetFirst();
  ASSERT_NE(first, nullptr);
  DirEntry kept(*first), assigned;
  EXPECT_STREQ(assigned.GetName(), "");
  assigned = kept;
  assigned = static_cast<const DirEntry&>(assigned);
  Names seen{first->GetName()};
  EXPECT_EQ(reader.GetFirst(), first);
  while (const DirEntry* e = reader.GetNext()) {
    EXPECT_EQ(e, first);
    seen.push_back(e->GetName());
  }
  EXPECT_EQ(Sorted(seen), Sorted({"a", "bb", "ccc"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(reader.GetNext(), nullptr);

  // The copies keep their own record: a file as long as its name, written now.
  const DirEntry::Imp& record = kept.GetImp();
  EXPECT_EQ(kept.GetName(), seen[0]);
  EXPECT_EQ(assigned.GetName(), seen[0]);
  // An Imp is assignable to and from the platform's own record.
  EXPECT_EQ((DirEntry().GetImp() = sys::FindRecord(record)).cFileName, seen[0]);
  EXPECT_EQ(record.dwFileAttributes & 0x10, 0u);
  EXPECT_EQ((std::uint64_t{record.nFileSizeHigh} << 32) | record.nFileSizeLow, seen[0].size());
  const auto& written = record.ftLastWriteTime;  // 100-ns intervals since 1601
  const std::uint64_t ticks = (std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
  EXPECT_NEAR(static_cast<double>(ticks) / 1e7 - 11644473600.0, static_cast<double>(std::time(nullptr)), 300);

  // GetNext first passes over the entry found at construction when it passes
  // the filter; the usual file systems report "." first, which never does.
  const Names all = List(DirReader::FilterAll), rest = List(DirReader::FilterAll, false);
  EXPECT_TRUE(rest == all || rest == Names(all.begin() + 1, all.end()));
}

TEST_F(DirReaderTest, ListsThousandsOfEntriesOnceEachWithoutAllocating) {
  constexpr int kCount = 3000;
  for (int i = 0; i < kCount; ++i) test::WriteBytes(dir_.File(std::to_string(i)), "");
  std::vector<int> seen(kCount);
  DirReader reader(Path(), DirReader::FilterFiles);
  const std::uint64_t allocations = test::AllocationCount();
  for (auto* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) ++seen.at(std::atoi(e->GetName()));
  EXPECT_EQ(test::AllocationCount(), allocations);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), kCount);
}

// ERROR_NO_MORE_FILES (18) ends a listing without an error.
TEST_F(DirReaderTest, FailedStepThrowsAndTheListingGoesOn) {
  Make({"a", "b"});
  for (const lusys::ULong code : {5u, 18u}) {
    SCOPED_TRACE(code);
    DirReader reader(Path(), DirReader::FilterFiles);
    sys::fault::Arm(Call::FindNextFileA, code);
    if (code == 5) test::ExpectError<DirReader::Error>([&] { reader.GetNext(); }, "Failed to read", dir_.path(), code);
    EXPECT_TRUE(code == 5 || reader.GetNext() == nullptr);
    EXPECT_NE(reader.GetNext(), nullptr);
  }
}

}  // namespace
}  // namespace lufio
