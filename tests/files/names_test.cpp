// File names outside ASCII and paths longer than 260 characters, through every
// back-end and the directory reader. The Windows test programs embed lufio's
// manifest (cmake/windows/), which makes UTF-8 the process code page.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "support/factories.h"
#include "support/host_path.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;

std::string Join(const std::string& dir, const std::string& name) { return dir + kPathSeparator + name; }

// Latin with diacritics, Greek, Cyrillic, CJK, beyond the BMP, and 85 CJK
// characters: 255 bytes, the longest name Linux (and so Wine) can keep.
std::vector<std::string> NameTable() {
  std::string longest;
  for (int i = 0; i < 85; ++i) longest += "語";
  return {"Grüße-Ærø.txt", "Ελληνικά.txt", "Отчёт.txt", "日本語-報告.txt", "emoji-😀.txt", longest};
}

// Creates `path` with FileW, appends with FileA, reads both back with FileR and
// TextFileR. Throws the first Error.
void WriteAppendRead(const std::string& path, const FileHandlerFactory& factory) {
  const lusys::CPPathFile file(path.c_str());
  FileW(file, FileHandler::TypeBinary, factory).Write(lusys::Literal("one\n"));
  FileA(file, FileHandler::TypeBinary, factory).Write(lusys::Literal("two\n"));
  char bytes[16];
  const auto count = FileR(file, FileHandler::TypeBinary, factory).Read(lusys::BasicRef<char>(bytes, sizeof(bytes)));
  EXPECT_EQ(std::string(bytes, count), "one\ntwo\n");
  TextFileR text(file, factory);
  std::string lines;
  char line[8];
  bool complete = false;
  while (text.GetLine(line, sizeof(line), complete)) lines += std::string(line) + (complete ? "|" : "");
  EXPECT_EQ(lines, "one|two|");
}

// Every entry of `dir` but "." and "..", sorted.
std::vector<std::string> Listed(const std::string& dir) {
  std::vector<std::string> names;
  DirReader reader(lusys::CPPath(dir.c_str()), DirReader::FilterAll);
  for (const DirEntry* entry = reader.GetFirst(); entry != nullptr; entry = reader.GetNext()) {
    names.emplace_back(entry->GetName());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The path in the Error of opening the missing `path`.
std::string ErrorPath(const std::string& path, const FileHandlerFactory& factory) {
  try {
    FileR(lusys::CPPathFile(path.c_str()), FileHandler::TypeBinary, factory);
  } catch (const Error& e) {
    return e.GetFileName();
  }
  return "(opened)";
}

template <class Factory>
class Names : public ::testing::Test {
 protected:
  const Factory factory_{};
  TempDir dir_;
};

TYPED_TEST_SUITE(Names, AllFactories, FactoryNames);

TYPED_TEST(Names, KeepTheirUtf8BytesEverywhere) {
  const std::string host_dir = HostPath(this->dir_.path());
  std::vector<std::string> names = NameTable();
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string path = Join(this->dir_.path(), name);
    ASSERT_NO_THROW(WriteAppendRead(path, this->factory_));
    EXPECT_TRUE(fs::exists(fs::u8path(path)));  // the system's own (UTF-16 on Windows) name
    if (!host_dir.empty()) {
      EXPECT_EQ(HostPath(path), host_dir + "/" + name);
    }
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(Listed(this->dir_.path()), names);

  const std::string missing = Join(this->dir_.path(), "missing-日本語-😀.txt");
  EXPECT_EQ(ErrorPath(missing, this->factory_), missing);
}

// Directories of 40 characters down to at most 240 (Windows makes none longer
// than 248), then one of 100: a file there lies 300 characters deep or more.
TYPED_TEST(Names, LongPathsWorkOrFailCleanly) {
  std::string shallow = this->dir_.path();
  while (shallow.size() + 41 <= 240) shallow = Join(shallow, std::string(40, 's'));
  const std::string last(100, 'd');
  const std::string deep = Join(shallow, last);
  std::error_code ignored;  // where the system refuses the deep one, opening fails below
  fs::create_directories(deep, ignored);
  const std::string file = Join(deep, "file.txt");
  ASSERT_GE(file.size(), 300u);

  try {
    WriteAppendRead(file, this->factory_);
  } catch (const Error& e) {
    // Windows without the long-path policy (Wine 8's CreateFileA): a clean refusal.
    EXPECT_TRUE(kOnWindows) << e.GetText();
    EXPECT_TRUE(e.GetCode() == 206 || e.GetCode() == 3) << e.GetCode();
    EXPECT_STREQ(e.GetFileName(), file.substr(0, 260).c_str());
  }
  // Nothing lands under a cut name: the shallow directory holds the deep one
  // at most.
  for (const std::string& name : Listed(shallow)) EXPECT_EQ(name, last);
  EXPECT_EQ(ErrorPath(Join(deep, "missing.txt"), this->factory_), Join(deep, "missing.txt").substr(0, 260));
  // The directory reader's pattern keeps 260 characters: a deeper directory
  // cannot be listed, and its error keeps the first 260 of the path.
  try {
    DirReader reader(lusys::CPPath(deep.c_str()), DirReader::FilterAll);
    ADD_FAILURE() << "listed " << deep;
  } catch (const DirReader::Error& e) {
    EXPECT_STREQ(e.GetPath(), deep.substr(0, 260).c_str());
  }
}

}  // namespace
}  // namespace lufio::test
