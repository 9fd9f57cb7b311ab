// lusys and the error built on it: the fixed streams' cut, paths, the
// character table, the string and memory helpers, and the texts, codes and
// copies of Exception and lufio::Error. Arbitrary writes, copies and
// compositions are fuzzed (fuzz/streams_fuzz.cpp, fuzz/errors_fuzz.cpp).
#include <lusys/lusys.h>

#include <memory>

#include "support/support.h"

namespace {

using lusys::BasicRef;

std::string Printed(const lusys::CPPathFileBase& path) {
  lusys::BasicStrOStream<char> out;
  path.Print(out);
  return out.Get();
}

// A view over a caller's buffer is zero-terminated from the start; one of
// length 0 is never touched. Copies are assigned between distinct objects. A
// CStrOStream<9>'s array ends where its next member begins: a write past it shows.
TEST(FixedStreams, KeepTheFirst260Characters) {
  const std::string input(300, 'x');
  lusys::CStrOStream<260, char> cstr, cstr_copy;
  lusys::CStrOStream<9, char> c9;
  lusys::BufOStream<260, char> buf, buf_copy;
  std::string area(261, '#'), none("#");
  lusys::BasicCStrRefOStream<char> ref(BasicRef<char>(area.data(), area.size()));
  lusys::BasicCStrRefOStream<char> empty(BasicRef<char>(none.data(), 0));
  EXPECT_EQ(area[0], '\0');
  for (auto* s : std::initializer_list<lusys::BasicOStream<char>*>{&cstr, &buf, &ref, &empty, &c9}) {
    s->Write(BasicRef<const char>());  // an empty view with a null pointer
    *s << lusys::Literal("y");  // (the library's own messages take the other operator<<)
    s->Write(BasicRef<const char>(input.data(), input.size()));
    *s << "more";
  }
  cstr_copy = cstr;
  buf_copy = buf;
  const std::string expected = "y" + std::string(259, 'x');
  EXPECT_EQ(std::string(cstr_copy.Get()), expected);
  EXPECT_EQ(std::string(area.c_str()), expected);
  EXPECT_EQ(std::string(buf_copy.Get().Data(), buf_copy.Get().Length()), expected);
  EXPECT_EQ(none, "#");
  EXPECT_EQ(std::string(c9.Get()), expected.substr(0, 9));
}

TEST(Paths, FilePathInsideDirectoryAndClone) {
  const std::string joined = std::string("dir") + lufio::test::kPathSeparator + "name";
  const std::pair<const char*, std::string> cases[] = {{"dir", joined}, {"dir/", "dir/name"}, {"", "name"}};
  for (const auto& [dir, expect] : cases) {
    SCOPED_TRACE(dir);
    const lusys::CPPathFile path(lusys::CPPath(dir), lusys::Literal("name"));
    std::unique_ptr<lusys::CPPathFileBase> copy(path.Clone());
    EXPECT_NE(dynamic_cast<lusys::CPPathFile*>(copy.get()), nullptr);
    EXPECT_EQ(Printed(path), expect);
    EXPECT_EQ(Printed(*copy), expect);
  }
}

// Standard strings are views and paths; text converts to a path (a literal,
// a null pointer, a string_view without a zero) wherever a path is taken.
TEST(Paths, FromStandardText) {
  const lufio::test::TempDir dir;
  const std::string name = dir.File("s.txt"), text = "bytes";
  lufio::FileW(name, lufio::FileHandler::TypeBinary, lufio::CrtHandlerFactory()).Write(text);
  const lusys::CPPathFile joined(std::string(dir.path()), std::string("s.txt")), none = nullptr;
  EXPECT_EQ(Printed(joined), name);
  EXPECT_EQ(Printed(none), "");
  EXPECT_EQ(Printed(lusys::CPPathFile(std::string_view(name.data(), name.size() - 4))), dir.File("s"));
  EXPECT_EQ(lufio::TextFileR(joined, lufio::StdioHandlerFactory()).Size(), 5);
  EXPECT_STREQ(lufio::DirReader(dir.path(), lufio::DirReader::FilterFiles).GetFirst()->GetName(), "s.txt");
  lufio::test::ExpectError([] { lufio::FileR("no such", lufio::FileHandler::TypeText, lufio::IosHandlerFactory()); },
                           "Failed to open", "no such", lufio::test::kFileNotFound);
}

TEST(Helpers, LengthNotOfStrCmpMemCopyMemZero) {
  const lusys::CharTable feed(10);
  const std::pair<std::string, std::uint64_t> cases[] = {
      {"", 0}, {"\n", 0}, {"abc", 3}, {"ab\ncd\n", 2}, {std::string("a\0b\n", 4), 3}};
  for (const auto& [text, expect] : cases) {
    EXPECT_EQ(feed.LengthNotOf(BasicRef<const char>(text.data(), text.size())), expect) << text;
  }
  EXPECT_EQ(lusys::StrCmp(lusys::Literal(".."), lusys::Literal("..")), 0);
  EXPECT_LT(lusys::StrCmp(lusys::Literal("."), lusys::Literal("..")), 0);
  EXPECT_LT(lusys::StrCmp(lusys::Literal("-."), lusys::Literal("..")), 0);
  EXPECT_GT(lusys::StrCmp(lusys::Literal("..."), lusys::Literal("..")), 0);
  EXPECT_EQ(lusys::StrCmp(BasicRef<const char>(), lusys::Literal("")), 0);
  char buffer[5] = "abcd";
  lusys::MemCopy(buffer, "xyz", 1);
  lusys::MemZero(buffer + 2, 1);
  lusys::MemZero(buffer + 3, 0);
  EXPECT_EQ(std::string(buffer, 4), std::string("xb\0d", 4));
}

class TestException : public lusys::Exception {
 public:
  TestException(const BasicRef<const char>& message, lusys::ULong code) : lusys::Exception(message, code) {}
  using lusys::Exception::get_last_error;
};

TEST(Exception, KeepsAtMost255CharactersTheCodeAndTheSystemsLastError) {
  const std::string longer(256, 'm');  // one more than the text keeps
  TestException e(BasicRef<const char>(longer.data(), longer.size()), 4000000000u);
  EXPECT_EQ(std::string(e.GetText()), std::string(255, 'm'));
  TestException other(lusys::Literal("short"), 1);
  other = e;
  EXPECT_STREQ(TestException(other).GetText(), e.GetText());
  EXPECT_EQ(other.GetCode(), 4000000000u);
  EXPECT_STREQ(TestException(BasicRef<const char>(), 0).GetText(), "");  // an empty view with a null pointer
  lusys::BasicStrOStream<char> out;
  TestException(lusys::Literal("Failed"), 17).Print(out);
  EXPECT_EQ(out.Get(), "Failed (code 17)");
  const lufio::test::TempDir dir;
  EXPECT_EQ(std::fopen(dir.File("missing").c_str(), "rb"), nullptr);
  EXPECT_EQ(TestException::get_last_error(), lufio::test::kFileNotFound);
}

// lufio::Error's text keeps 255 characters, its path 260; a message that
// fills the text gets nothing appended.
TEST(Error, ComposesCutsCopiesAndAssigns) {
  const std::string p260(260, 'p'), m240(240, 'm');
  const std::pair<std::string, std::string> cases[] = {{"Failed to open", "a.txt"}, {"Failed to read file", ""},
                                                       {"M", p260 + "q"}, {m240, p260}, {std::string(300, 'f'), "x"}};
  for (const auto& c : cases) {
    const BasicRef<const char> text(c.first.data(), c.first.size());
    const lusys::CPPathFile path(c.second.c_str());
    lufio::test::ExpectError([&] { throw lufio::Error(text, path, 32); }, c.first, c.second, 32);
  }
  EXPECT_THROW(throw lufio::Error(lusys::Literal("m"), lusys::CPPathFile("p"), 1), lusys::Exception);
}

}  // namespace
