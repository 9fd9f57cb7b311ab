// Reads a text file line by line with TextFileR and a small buffer, joining
// the pieces of lines longer than the buffer, and prints each line with its
// number and length.
//
//   read_lines FILE
#include <lufio/lufio.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: read_lines FILE\n");
    return 2;
  }
  try {
    const lusys::CPPathFile path(argv[1]);
    const lufio::StdioHandlerFactory stdio;
    lufio::TextFileR in(path, stdio);
    char buffer[16];  // deliberately small: long lines arrive in pieces
    bool complete = false;
    std::string line;
    int number = 0;
    while (in.GetLine(buffer, sizeof(buffer), complete)) {
      line += buffer;
      if (!complete) continue;  // more of this line to come
      std::printf("%3d (%zu): %s\n", ++number, line.size(), line.c_str());
      line.clear();
    }
  } catch (const lufio::Error& e) {
    std::fprintf(stderr, "%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
  return 0;
}
