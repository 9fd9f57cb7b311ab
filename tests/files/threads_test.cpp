// Eight threads at once, each opening, writing, reading, listing and closing
// objects of its own over every back-end: the objects share nothing but the
// read-only end-of-line table (run under ThreadSanitizer by the tsan preset).
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace lufio {
namespace {

// What one thread does in its own directory; returns what it read and listed.
std::string Work(const std::string& dir) {
  std::filesystem::create_directory(dir);
  const WinHandlerFactory win;
  const CrtHandlerFactory crt;
  const StdioHandlerFactory stdio;
  const IosHandlerFactory ios;
  std::string seen;
  for (int round = 0; round < 10; ++round) {
    for (const FileHandlerFactory* factory :
         std::initializer_list<const FileHandlerFactory*>{&win, &crt, &stdio, &ios}) {
      const lusys::CPPathFile path((dir + "/f" + std::to_string(round % 3)).c_str());
      FileW(path, FileHandler::TypeBinary, *factory).Write(lusys::Literal("one\ntwo\n"));
      TextFileR in(path, *factory);
      char line[8];
      bool complete = false;
      while (in.GetLine(line, sizeof line, complete)) seen += line;
      try {
        FileR missing(lusys::CPPathFile((dir + "/missing").c_str()), FileHandler::TypeBinary, *factory);
      } catch (const Error& e) {
        seen += std::to_string(e.GetCode());
      }
    }
  }
  DirReader reader(lusys::CPPath(dir.c_str()), DirReader::FilterFiles);
  for (auto* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) seen += e->GetName()[0];
  return seen;
}

TEST(Threads, EachWithItsOwnObjectsOverEveryBackEnd) {
  const test::TempDir dir;
  std::vector<std::string> seen(8);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < seen.size(); ++t)
    threads.emplace_back([&, t] { seen[t] = Work(dir.File(std::to_string(t))); });
  for (std::thread& thread : threads) thread.join();
  std::string expected;
  for (int i = 0; i < 40; ++i) expected += "onetwo2";
  for (const std::string& s : seen) EXPECT_EQ(s, expected + "fff");
}

}  // namespace
}  // namespace lufio
