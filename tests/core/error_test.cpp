// lufio::Error: its texts at the cut points, copies and the bases it is
// caught through. Composition over arbitrary messages and paths is fuzzed
// (fuzz/errors_fuzz.cpp).
#include <gtest/gtest.h>
#include <lufio/error.h>

#include <exception>
#include <string>

namespace {

using lufio::Error;

// The text keeps 255 characters, the path 260; a message that fills the text
// gets nothing appended.
TEST(Error, ComposesCutsCopiesAndAssigns) {
  const std::string p260(260, 'p'), m240(240, 'm');
  const struct {
    std::string message, path, text, file_name;
  } cases[] = {
      {"Failed to open", "a.txt", "Failed to open: file=a.txt", "a.txt"},
      {"Failed to read file", "", "Failed to read file: file=", ""},
      {"M", p260 + "q", ("M: file=" + p260).substr(0, 255), p260},
      {m240, p260, (m240 + ": file=" + p260).substr(0, 255), p260},
      {std::string(300, 'f'), "x", std::string(255, 'f'), "x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 30));
    const Error e(lusys::BasicRef<const char>(c.message.data(), c.message.size()), lusys::CPPathFile(c.path.c_str()),
                  32);
    Error assigned(lusys::Literal("other"), lusys::CPPathFile("other"), 1);
    assigned = e;
    assigned = static_cast<const Error&>(assigned);
    for (const Error& copy : {e, assigned}) {
      EXPECT_EQ(std::string(copy.GetText()), c.text);
      EXPECT_EQ(std::string(copy.GetFileName()), c.file_name);
      EXPECT_EQ(copy.GetCode(), 32u);
      EXPECT_STREQ(static_cast<const lusys::Exception&>(copy).what(), "File I/O error");
      EXPECT_STREQ(static_cast<const std::exception&>(copy).what(), "File I/O error");
    }
  }
  EXPECT_THROW(throw Error(lusys::Literal("m"), lusys::CPPathFile("p"), 1), lusys::Exception);
}

}  // namespace
