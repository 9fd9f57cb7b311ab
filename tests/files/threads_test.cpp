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

namespace {

using lufio::FileHandler;

// What one thread does in its own directory; returns what it read and listed.
std::string Work(const std::string& dir) {
  std::filesystem::create_directory(dir);
  const lufio::WinHandlerFactory win;
  const lufio::CrtHandlerFactory crt;
  const lufio::StdioHandlerFactory stdio;
  const lufio::IosHandlerFactory ios;
  const lufio::FileHandlerFactory* const factories[] = {&win, &crt, &stdio, &ios};
  std::string seen;
  for (int round = 0; round < 10; ++round) {
    for (const lufio::FileHandlerFactory* factory : factories) {
      const std::string name = dir + "/f" + std::to_string(round % 3);
      const lusys::CPPathFile path(name.c_str());
      lufio::FileW(path, FileHandler::TypeBinary, *factory).Write(lusys::Literal("one\ntwo\n"));
      lufio::TextFileR in(path, *factory);
      char line[8];
      bool complete = false;
      while (in.GetLine(line, sizeof line, complete)) seen += line;
      in.Close();
      try {
        lufio::FileR missing(lusys::CPPathFile((dir + "/missing").c_str()), FileHandler::TypeBinary, *factory);
      } catch (const lufio::Error& e) {
        seen += std::to_string(e.GetCode());
      }
    }
  }
  lufio::DirReader reader(lusys::CPPath(dir.c_str()), lufio::DirReader::FilterFiles);
  for (auto* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) seen += e->GetName()[0];
  return seen;
}

TEST(Threads, EachWithItsOwnObjectsOverEveryBackEnd) {
  constexpr int kThreads = 8;
  const lufio::test::TempDir dir;
  std::vector<std::string> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&seen, &dir, t] { seen[t] = Work(dir.File(std::to_string(t))); });
  }
  for (std::thread& thread : threads) thread.join();
  std::string expected;
  for (int i = 0; i < 40; ++i) expected += "onetwo2";
  for (const std::string& s : seen) EXPECT_EQ(s, expected + "fff");
}

}  // namespace
