// DirReader, DirEntry and DirReader::Error, on real temporary directories;
// failing search steps are provoked through the platform layer's fault seam.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "fault.h"
#include "support/alloc_counter.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"
#include "support/unix_fifo.h"

namespace lufio {
namespace {

using Filter = DirReader::Filter;
using sys::fault::Call;

// Windows drops trailing dots from the names it creates, so "..." can be made
// only elsewhere; and its search reports a missing directory as a missing path.
constexpr bool kCanNameDots = !test::kOnWindows;
constexpr lusys::ULong kDirNotFound = test::kOnWindows ? 3 : test::kFileNotFound;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

template <class F>
DirReader::Error Caught(F f) {
  try {
    f();
  } catch (const DirReader::Error& e) {
    return e;
  }
  ADD_FAILURE() << "no DirReader::Error";
  return DirReader::Error(lusys::Literal(""), lusys::Literal(""), 0);
}

// `code` 0 stands for any non-zero code.
void ExpectError(const DirReader::Error& e, const std::string& text, const std::string& path, lusys::ULong code) {
  EXPECT_EQ(e.GetText(), text);
  EXPECT_EQ(e.GetPath(), path);
  EXPECT_TRUE(code == 0 ? e.GetCode() != 0 : e.GetCode() == code) << e.GetCode();
  EXPECT_STREQ(e.what(), "Directory read error");
}

class DirReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { sys::fault::Disarm(); }
  void Make(const std::vector<std::string>& files, const std::vector<std::string>& dirs = {}) const {
    for (const std::string& name : files) test::WriteBytes(dir_.File(name), std::string(name.size(), 'x'));
    for (const std::string& name : dirs) std::filesystem::create_directory(dir_.File(name));
  }
  lusys::CPPath Path() const { return lusys::CPPath(dir_.path().c_str()); }
  // The names in the platform's order, starting with GetFirst or GetNext.
  std::vector<std::string> List(Filter filter, bool from_first = true) const {
    DirReader reader(Path(), filter);
    std::vector<std::string> names;
    for (auto* e = from_first ? reader.GetFirst() : reader.GetNext(); e != nullptr; e = reader.GetNext()) {
      names.push_back(e->GetName());
    }
    return names;
  }

  test::TempDir dir_;
};

TEST_F(DirReaderTest, ListsByFilterWithoutDotEntries) {
  EXPECT_TRUE(List(DirReader::FilterAll).empty());
  std::vector<std::string> files{"a.txt", ".hidden", "..x"}, dirs{"sub", ".d"};
  if (kCanNameDots) files.push_back("...");
  Make(files, dirs);
  std::vector<std::string> all = files;
  all.insert(all.end(), dirs.begin(), dirs.end());
  const std::pair<Filter, std::vector<std::string>> cases[] = {
      {DirReader::FilterFiles, files}, {DirReader::FilterDirs, dirs}, {DirReader::FilterAll, all}, {Filter(7), all}};
  for (const auto& [filter, expected] : cases) {
    SCOPED_TRACE(filter);
    EXPECT_EQ(Sorted(List(filter)), Sorted(expected));
  }
}

// A FIFO is marked 0x40 (FILE_ATTRIBUTE_DEVICE) and still listed as a file;
// a directory that may be read but not searched still lists every name with
// its directory bit, for a user whom permissions bind.
TEST_F(DirReaderTest, MarksSpecialEntriesAndListsWhatItMayNotSearch) {
  Make({"file"}, {"sub"});
  const test::UnixFifo fifo(dir_.File("fifo"));
  if (!fifo.ok()) GTEST_SKIP() << "no named pipes here";
  const auto attributes = [this] {
    std::map<std::string, std::uint32_t> seen;
    DirReader reader(Path(), DirReader::FilterAll);
    for (auto* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) {
      seen[e->GetName()] = const_cast<DirEntry*>(e)->GetImp().dwFileAttributes;
    }
    return seen == std::map<std::string, std::uint32_t>{{"fifo", 0x40}, {"file", 0x80}, {"sub", 0x10}};
  };
  EXPECT_TRUE(attributes());
  EXPECT_EQ(Sorted(List(DirReader::FilterFiles)), Sorted({"fifo", "file"}));
  namespace fs = std::filesystem;
  fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int unprivileged = test::RunUnprivileged(attributes);
  fs::permissions(dir_.path(), fs::perms::owner_all);
  if (unprivileged == -1) GTEST_SKIP() << "no user without root's rights to list as";
  EXPECT_EQ(unprivileged, 1);
}

TEST_F(DirReaderTest, FailsToOpenWithTheDirectoryText) {
  Make({"plain"});
  const struct {
    std::string dir;
    bool fault;
    lusys::ULong code;
  } cases[] = {{dir_.File("missing"), false, kDirNotFound}, {dir_.File("plain"), false, 0}, {dir_.path(), true, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    if (c.fault) sys::fault::Arm(Call::FindFirstFileA, c.code);
    ExpectError(Caught([&] { DirReader reader(lusys::CPPath(c.dir.c_str()), DirReader::FilterAll); }),
                "Failed to open: dir=" + c.dir, c.dir, c.code);
  }
}

TEST_F(DirReaderTest, StepsInPlaceAndStaysAtTheEnd) {
  Make({"a", "bb", "ccc"});
  DirReader reader(Path(), DirReader::FilterFiles);
  const DirEntry* first = reader.GetFirst();
  ASSERT_NE(first, nullptr);
  DirEntry kept(*first);
  std::vector<std::string> seen{first->GetName()};
  EXPECT_EQ(reader.GetFirst(), first);
  EXPECT_EQ(first->GetName(), seen[0]);
  while (const DirEntry* e = reader.GetNext()) {
    EXPECT_EQ(e, first);
    seen.push_back(e->GetName());
  }
  EXPECT_EQ(Sorted(seen), Sorted({"a", "bb", "ccc"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(reader.GetNext(), nullptr);

  // The copy keeps its own record: a file as long as its name, written now.
  const DirEntry::Imp& record = kept.GetImp();
  EXPECT_EQ(kept.GetName(), seen[0]);
  EXPECT_EQ(record.dwFileAttributes & 0x10, 0u);
  EXPECT_EQ((std::uint64_t{record.nFileSizeHigh} << 32) | record.nFileSizeLow, seen[0].size());
  const auto& written = record.ftLastWriteTime;  // 100-ns intervals since 1601
  const std::uint64_t ticks = (std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
  EXPECT_NEAR(static_cast<double>(ticks) / 1e7 - 11644473600.0, static_cast<double>(std::time(nullptr)), 300);

  // GetNext first passes over the entry found at construction when it passes
  // the filter; the usual file systems report "." first, which never does.
  const std::vector<std::string> all = List(DirReader::FilterAll), rest = List(DirReader::FilterAll, false);
  EXPECT_TRUE(rest == all || rest == std::vector<std::string>(all.begin() + 1, all.end()));
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

TEST_F(DirReaderTest, FailedStepThrowsAndTheListingGoesOn) {
  Make({"a", "b"});
  for (const lusys::ULong code : {5u, 18u /* no more files: the end, no error */}) {
    SCOPED_TRACE(code);
    DirReader reader(Path(), DirReader::FilterFiles);
    sys::fault::Arm(Call::FindNextFileA, code);
    if (code == 18) {
      EXPECT_EQ(reader.GetNext(), nullptr);
    } else {
      ExpectError(Caught([&] { reader.GetNext(); }), "Failed to read: dir=" + dir_.path(), dir_.path(), code);
    }
    EXPECT_NE(reader.GetNext(), nullptr);
  }
}

TEST(DirReaderErrorTest, ComposesCutsCopiesAndAssigns) {
  const std::string dir(400, 'd');
  const struct {
    std::string message;
    lusys::BasicRef<const char> dir;
    std::string text, path;
  } cases[] = {
      {"Failed to open", {"", 0}, "Failed to open: dir=", ""},
      {"m", {dir.data(), 300}, ("m: dir=" + dir).substr(0, 255), dir.substr(0, 260)},  // not zero-terminated
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const DirReader::Error e(lusys::BasicRef<const char>(c.message.data(), c.message.size()), c.dir, 7);
    ExpectError(e, c.text, c.path, 7);
    DirReader::Error assigned(lusys::Literal("x"), lusys::Literal("y"), 1);
    assigned = e;
    const DirReader::Error& alias = assigned;
    assigned = alias;
    ExpectError(DirReader::Error(e), c.text, c.path, 7);
    ExpectError(assigned, c.text, c.path, 7);
    EXPECT_THROW(throw e, lusys::Exception);
    EXPECT_STREQ(static_cast<const std::exception&>(e).what(), "Directory read error");
  }
}

TEST(DirEntryTest, DefaultCopyAndAssignment) {
  DirEntry entry, assigned;
  EXPECT_STREQ(entry.GetName(), "");
  sys::FindRecord record{};  // WIN32_FIND_DATAA on Windows
  std::strcpy(record.cFileName, "name");
  entry.GetImp() = record;
  DirEntry copy(entry);
  assigned = entry;
  const DirEntry& alias = entry;
  entry = alias;
  std::strcpy(entry.GetImp().cFileName, "changed");
  EXPECT_STREQ(copy.GetName(), "name");
  EXPECT_STREQ(assigned.GetName(), "name");
  record = entry.GetImp();
  EXPECT_STREQ(record.cFileName, "changed");
}

}  // namespace
}  // namespace lufio
