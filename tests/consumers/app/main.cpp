// A program outside the lufio tree: writes a file, appends to it and reads it
// back line by line through the installed headers and libraries.
#include <lufio/lufio.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string name = std::string(argv[1]) + "/consumer.txt";
  const lusys::CPPathFile path(name.c_str());
  const lufio::StdioHandlerFactory factory;
  try {
    {
      lufio::FileW out(path, lufio::FileHandler::TypeBinary, factory);
      out.Write(lusys::Literal("hello\n"));
    }
    {
      lufio::FileA out(path, lufio::FileHandler::TypeBinary, factory);
      out.Write(lusys::Literal("world\n"));
    }
    lufio::TextFileR in(path, factory);
    char line[16];
    bool complete = false;
    std::string all;
    while (in.GetLine(line, sizeof(line), complete)) all += std::string(line) + ";";
    std::printf("%s\n", all.c_str());
    return all == "hello;world;" ? 0 : 1;
  } catch (const lufio::Error& e) {
    std::fprintf(stderr, "%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
}
