#include <gtest/gtest.h>
#include <lufio/error.h>

#include <exception>
#include <string>

namespace {

using lufio::Error;

Error Make(const std::string& message, const std::string& path, lusys::ULong code = 5) {
  return Error(lusys::BasicRef<const char>(message.data(), message.size()), lusys::CPPathFile(path.c_str()), code);
}

TEST(Error, ComposesMessagePathAndCuts) {
  const std::string p260(260, 'p');
  const std::string long_message(240, 'm');
  struct Case {
    std::string message, path, text, file_name;
  };
  const Case cases[] = {
      {"Failed to open", "a.txt", "Failed to open: file=a.txt", "a.txt"},
      {"Failed to read file", "", "Failed to read file: file=", ""},
      {"M", p260, ("M: file=" + p260).substr(0, 255), p260},
      {"M", p260 + "q", ("M: file=" + p260).substr(0, 255), p260},
      // The base's text is cut at its buffer while the path copy keeps 260.
      {long_message, p260, (long_message + ": file=" + p260).substr(0, 255), p260},
      // A message that fills the buffer gets nothing appended.
      {std::string(300, 'f'), "x", std::string(255, 'f'), "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.substr(0, 20) + " / " + std::to_string(c.path.size()));
    const Error e = Make(c.message, c.path, 32);
    EXPECT_EQ(std::string(e.GetText()), c.text);
    EXPECT_EQ(std::string(e.GetFileName()), c.file_name);
    EXPECT_EQ(e.GetCode(), 32u);
    EXPECT_STREQ(e.what(), "File I/O error");
  }
}

TEST(Error, CopyAndAssignmentReportTheSame) {
  const Error source = Make("Failed to write file", "out.bin", 28);
  const Error copy(source);
  Error assigned = Make("other", "other", 1);
  assigned = source;
  for (const Error* e : {&copy, static_cast<const Error*>(&assigned)}) {
    EXPECT_STREQ(e->GetText(), "Failed to write file: file=out.bin");
    EXPECT_STREQ(e->GetFileName(), "out.bin");
    EXPECT_EQ(e->GetCode(), 28u);
  }
  Error& self = assigned;
  assigned = self;
  EXPECT_STREQ(assigned.GetText(), "Failed to write file: file=out.bin");
  EXPECT_STREQ(assigned.GetFileName(), "out.bin");
}

TEST(Error, CaughtThroughEitherBase) {
  try {
    throw Make("Failed to open", "f");
  } catch (const lusys::Exception& e) {
    EXPECT_STREQ(e.what(), "File I/O error");
    EXPECT_STREQ(e.GetText(), "Failed to open: file=f");
  }
  try {
    throw Make("Failed to open", "f");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "File I/O error");
  }
}

}  // namespace
