// lufio::Error: its texts at the cut points, copies and the bases it is
// caught through. Composition over arbitrary messages and paths is fuzzed
// (fuzz/errors_fuzz.cpp).
#include <gtest/gtest.h>
#include <lufio/error.h>

#include <exception>
#include <string>

namespace {

using lufio::Error;

TEST(Error, ComposesMessagePathAndCuts) {
  const std::string p260(260, 'p'), long_message(240, 'm');
  struct Case {
    std::string message, path, text, file_name;
  };
  const Case cases[] = {
      {"Failed to open", "a.txt", "Failed to open: file=a.txt", "a.txt"},
      {"Failed to read file", "", "Failed to read file: file=", ""},
      {"M", p260 + "q", ("M: file=" + p260).substr(0, 255), p260},
      // The base's text is cut at its buffer while the path copy keeps 260.
      {long_message, p260, (long_message + ": file=" + p260).substr(0, 255), p260},
      // A message that fills the buffer gets nothing appended.
      {std::string(300, 'f'), "x", std::string(255, 'f'), "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.substr(0, 20) + " / " + std::to_string(c.path.size()));
    const Error e(lusys::BasicRef<const char>(c.message.data(), c.message.size()), lusys::CPPathFile(c.path.c_str()),
                  32);
    EXPECT_EQ(std::string(e.GetText()), c.text);
    EXPECT_EQ(std::string(e.GetFileName()), c.file_name);
    EXPECT_EQ(e.GetCode(), 32u);
  }
}

TEST(Error, CopiesAndBases) {
  const Error source(lusys::Literal("Failed to write file"), lusys::CPPathFile("out.bin"), 28);
  Error assigned(lusys::Literal("other"), lusys::CPPathFile("other"), 1);
  assigned = source;
  const Error& self = assigned;
  assigned = self;
  for (const Error& e : {Error(source), assigned}) {
    EXPECT_STREQ(e.GetText(), "Failed to write file: file=out.bin");
    EXPECT_STREQ(e.GetFileName(), "out.bin");
    EXPECT_EQ(e.GetCode(), 28u);
    const lusys::Exception& base = e;
    const std::exception& standard = e;
    EXPECT_STREQ(base.what(), "File I/O error");
    EXPECT_STREQ(standard.what(), "File I/O error");
  }
  EXPECT_THROW(throw source, lusys::Exception);
}

}  // namespace
