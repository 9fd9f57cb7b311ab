#include <gtest/gtest.h>
#include <lusys/lusys.h>

#include <memory>
#include <string>

#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace {

using lusys::BasicRef;

std::string Text(const BasicRef<const char>& ref) { return std::string(ref.Data(), ref.Length()); }

std::string Printed(const lusys::CPPathFileBase& path) {
  lusys::BasicStrOStream<char> out;
  path.Print(out);
  return out.Get();
}

TEST(FixedStreams, CStrOStreamKeepsFirst260AndStaysTerminated) {
  const std::string input(300, 'x');
  lusys::CStrOStream<260, char> s;
  EXPECT_STREQ(s.Get(), "");
  s.Write(BasicRef<const char>(input.data(), input.size()));
  EXPECT_EQ(std::string(s.Get()), std::string(260, 'x'));
  s << "more";
  EXPECT_EQ(std::string(s.Get()), std::string(260, 'x'));
}

TEST(FixedStreams, BufOStreamCountsWithoutTerminator) {
  const std::string input(300, 'y');
  lusys::BufOStream<260, char> s;
  EXPECT_EQ(s.Get().Length(), 0u);
  s << "ab";
  s.Write(BasicRef<const char>(input.data(), input.size()));
  EXPECT_EQ(s.Get().Length(), 260u);
  EXPECT_EQ(Text(s.Get()), "ab" + std::string(258, 'y'));
}

TEST(FixedStreams, CopiesOwnTheirText) {
  lusys::CStrOStream<260, char> a;
  a << "first";
  lusys::CStrOStream<260, char> b(a);
  a << "-changed";
  EXPECT_STREQ(b.Get(), "first");
  b << "+";
  EXPECT_STREQ(b.Get(), "first+");
  b = a;
  EXPECT_STREQ(b.Get(), "first-changed");
  const lusys::CStrOStream<260, char>& self = b;
  b = self;
  EXPECT_STREQ(b.Get(), "first-changed");

  lusys::BufOStream<260, char> c;
  c << "abc";
  lusys::BufOStream<260, char> d(c);
  EXPECT_NE(d.Get().Data(), c.Get().Data());
  EXPECT_EQ(Text(d.Get()), "abc");
}

TEST(FixedStreams, CStrRefStreamNeverPassesItsView) {
  struct Case {
    std::size_t view;
    const char* write;
    const char* expect;
  };
  for (const Case& c : {Case{8, "abc", "abcabc"}, Case{4, "abcdef", "abc"}, Case{1, "abc", ""}}) {
    SCOPED_TRACE(c.view);
    char buffer[16];
    std::memset(buffer, '#', sizeof(buffer));
    {
      lusys::BasicCStrRefOStream<char> s(BasicRef<char>(buffer, c.view));
      s << c.write << c.write;
    }
    EXPECT_STREQ(buffer, c.expect);
    EXPECT_EQ(buffer[c.view], '#');
  }
  char untouched = '#';
  lusys::BasicCStrRefOStream<char> empty(BasicRef<char>(&untouched, 0));
  empty << "x";
  EXPECT_EQ(untouched, '#');
}

TEST(Paths, FilePathInsideDirectory) {
  const char sep = lufio::test::kPathSeparator;
  const std::string expect = std::string("dir") + sep + "name";
  struct Case {
    const char* dir;
    std::string expect;
  };
  for (const Case& c : {Case{"dir", expect}, Case{"dir/", "dir/name"}, Case{"", "name"}}) {
    SCOPED_TRACE(c.dir);
    EXPECT_EQ(Printed(lusys::CPPathFile(lusys::CPPath(c.dir), lusys::Literal("name"))), c.expect);
  }
}

TEST(Paths, CloneIsAnIndependentCopyOfTheSameType) {
  lusys::CPPathFile original("some/file.txt");
  std::unique_ptr<lusys::CPPathFileBase> copy(original.Clone());
  EXPECT_NE(dynamic_cast<lusys::CPPathFile*>(copy.get()), nullptr);
  EXPECT_EQ(Printed(*copy), "some/file.txt");
  lusys::BasicStrOStream<char> dir_text;
  lusys::CPPath("a/b").Print(dir_text);
  EXPECT_EQ(dir_text.Get(), "a/b");
}

TEST(CharTable, LengthNotOf) {
  const lusys::CharTable feed(10);
  struct Case {
    std::string text;
    std::uint64_t expect;
  };
  for (const Case& c :
       {Case{"", 0}, Case{"\n", 0}, Case{"abc", 3}, Case{"ab\ncd\n", 2}, Case{std::string("a\0b\n", 4), 3}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(feed.LengthNotOf(BasicRef<const char>(c.text.data(), c.text.size())), c.expect);
  }
}

TEST(Helpers, StrCmpMemCopyMemZero) {
  EXPECT_EQ(lusys::StrCmp(lusys::Literal(".."), lusys::Literal("..")), 0);
  EXPECT_LT(lusys::StrCmp(lusys::Literal("."), lusys::Literal("..")), 0);
  EXPECT_GT(lusys::StrCmp(lusys::Literal("..."), lusys::Literal("..")), 0);
  EXPECT_NE(lusys::StrCmp(lusys::Literal("ab"), lusys::Literal("ac")), 0);
  EXPECT_EQ(lusys::StrCmp(lusys::BasicRef<const char>(), lusys::Literal("")), 0);

  char buffer[4] = {'a', 'b', 'c', 'd'};
  lusys::MemCopy(buffer, "xy", 2);
  EXPECT_EQ(std::string(buffer, 4), "xycd");
  lusys::MemZero(buffer + 1, 2);
  EXPECT_EQ(std::string(buffer, 4), std::string("x\0\0d", 4));
}

class TestException : public lusys::Exception {
 public:
  TestException(const BasicRef<const char>& message, lusys::ULong code) : lusys::Exception(message, code) {}
  using lusys::Exception::get_last_error;
};

TEST(Exception, KeepsAtMost255CharactersAndTheCode) {
  const std::string longer(400, 'm');
  TestException e(BasicRef<const char>(longer.data(), longer.size()), 4000000000u);
  EXPECT_EQ(std::string(e.GetText()), std::string(255, 'm'));
  EXPECT_EQ(e.GetCode(), 4000000000u);

  TestException copy(e);
  EXPECT_STREQ(copy.GetText(), e.GetText());
  TestException other(lusys::Literal("short"), 1);
  other = e;
  EXPECT_EQ(other.GetCode(), e.GetCode());
  EXPECT_STREQ(other.what(), e.GetText());

  lusys::BasicStrOStream<char> out;
  TestException(lusys::Literal("Failed"), 17).Print(out);
  EXPECT_EQ(out.Get(), "Failed (code 17)");
}

TEST(Exception, LastErrorIsTheSystemsCode) {
  const lufio::test::TempDir dir;
  std::FILE* f = std::fopen(dir.File("missing").c_str(), "rb");
  EXPECT_EQ(f, nullptr);
  EXPECT_EQ(TestException::get_last_error(), lufio::test::kFileNotFound);
}

}  // namespace
