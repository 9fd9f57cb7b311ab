// File names outside ASCII, paths longer than 260 characters and paths with a
// zero byte inside, through every back-end and the directory reader. The Windows test programs embed lufio's
// manifest (cmake/windows/), which makes UTF-8 the process code page.

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "support/support.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;

std::string Join(const std::string& dir, const std::string& name) { return dir + kPathSeparator + name; }

// Creates `dir`/`name` with FileW, appends with FileA, reads both back with
// FileR and TextFileR, and lists `dir` (sorted). Throws the first Error.
std::vector<std::string> WriteAppendReadList(const std::string& dir, const std::string& name,
                                             const FileHandlerFactory& factory) {
  const lusys::CPPathFile file(Join(dir, name).c_str());
  FileW(file, FileHandler::TypeBinary, factory).Write(lusys::Literal("one\n"));
  FileA(file, FileHandler::TypeBinary, factory).Write(lusys::Literal("two\n"));
  char bytes[16];
  const auto count = FileR(file, FileHandler::TypeBinary, factory).Read(lusys::BasicRef<char>(bytes, sizeof(bytes)));
  EXPECT_EQ(std::string(bytes, count), "one\ntwo\n");
  TextFileR text(file, factory);
  std::string lines;
  bool complete = false;
  while (text.GetLine(bytes, sizeof(bytes), complete)) lines += std::string(bytes) + (complete ? "|" : "");
  EXPECT_EQ(lines, "one|two|");
  std::vector<std::string> names;
  DirReader reader(lusys::CPPath(dir.c_str()), DirReader::FilterAll);
  for (const DirEntry* entry = reader.GetFirst(); entry != nullptr; entry = reader.GetNext())
    names.emplace_back(entry->GetName());
  std::sort(names.begin(), names.end());
  return names;
}

// Opening the missing `path` fails with its name, cut at 260 characters.
void ExpectMissing(const std::string& path, const FileHandlerFactory& factory) {
  ExpectError([&] { FileR(lusys::CPPathFile(path.c_str()), FileHandler::TypeBinary, factory); }, "Failed to open", path,
              std::nullopt);
}

using Names = EachBackend;

// Latin with diacritics, Greek, Cyrillic, CJK, beyond the BMP, and 85 CJK
// characters: 255 bytes, the longest name Linux (and so Wine) can keep. The
// system's own (UTF-16 on Windows) name must be the same text.
TEST_P(Names, KeepTheirUtf8BytesEverywhere) {
  std::string longest;
  for (int i = 0; i < 85; ++i) longest += "語";
  for (const char* name :
       {"Grüße-Ærø.txt", "Ελληνικά.txt", "Отчёт.txt", "日本語-報告.txt", "emoji-😀.txt", longest.c_str()}) {
    SCOPED_TRACE(name);
    const TempDir dir;
    const std::string path = Join(dir.path(), name);
    EXPECT_EQ(WriteAppendReadList(dir.path(), name, factory()), std::vector<std::string>{name});
    EXPECT_TRUE(fs::exists(fs::u8path(path)));
    ExpectMissing(path + "-missing", factory());
  }
}

// Directories of 40 characters down to at most 240 (Windows makes none longer
// than 248), then one of 100: a file there lies 300 characters deep or more.
// Where the system refuses (Windows without the long-path policy, as Wine 8's
// CreateFileA) it fails cleanly and nothing lands under a cut name. The
// directory reader's pattern keeps 260 characters: the deep one cannot be
// listed, and its error keeps the first 260 of the path.
TEST_P(Names, LongPathsWorkOrFailCleanly) {
  std::string shallow = dir_.path();
  while (shallow.size() + 41 <= 240) shallow = Join(shallow, std::string(40, 's'));
  const std::string deep = Join(shallow, std::string(100, 'd')), file = Join(deep, "file.txt");
  std::error_code ignored;
  fs::create_directories(deep, ignored);
  ASSERT_GE(file.size(), 300u);
  try {
    WriteAppendReadList(deep, "file.txt", factory());
    ADD_FAILURE() << "listed " << deep;
  } catch (const Error& e) {
    EXPECT_TRUE(kOnWindows) << e.GetText();
    EXPECT_TRUE(e.GetCode() == 206 || e.GetCode() == 3) << e.GetCode();
    EXPECT_STREQ(e.GetFileName(), file.substr(0, 260).c_str());
  } catch (const DirReader::Error& e) {
    EXPECT_STREQ(e.GetPath(), deep.substr(0, 260).c_str());
  }
  for (const auto& entry : fs::directory_iterator(shallow)) EXPECT_EQ(entry.path().filename(), std::string(100, 'd'));
  ExpectMissing(Join(deep, "missing.txt"), factory());
}

// A zero byte inside a path's length would cut the name short at the system:
// opening refuses it, with ERROR_INVALID_NAME (123) or EINVAL, and leaves the
// file of the shorter name as it was. The error shows the text up to the zero.
TEST_P(Names, WithAZeroInsideAreRefusedAtOpen) {
  const std::string cut = Path("a");
  const lusys::CPPathFile path(cut + std::string(1, '\0') + "b");
  const lusys::ULong code = kOnWindows ? 123 : EINVAL;
  WriteBytes(cut, "kept");
  ExpectError([&] { FileW(path, FileHandler::TypeBinary, factory()); }, "Failed to open", cut, code);
  ExpectError([&] { TextFileR(path, factory()); }, "Failed to open", cut, code);
  ExpectError([&] { SafeFileW(path, FileHandler::TypeBinary, factory()); }, "Failed to open", cut, code);
  ExpectError([&] { FileR(std::string(1, '\0'), FileHandler::TypeBinary, factory()); }, "Failed to open", "", code);
  EXPECT_EQ(ReadBytes(cut), "kept");
}

INSTANTIATE_TEST_SUITE_P(All, Names, ::testing::Range(0, 4), BackendName);

}  // namespace
}  // namespace lufio::test
