// Saves a text safely: the new content goes into a file beside FILE, and only
// Commit puts it in FILE's place. FILE then holds either its old content or
// all of the new one, never a part, whatever happens on the way.
//
//   save_file FILE TEXT
#include <lufio/lufio.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: save_file FILE TEXT\n");
    return 2;
  }
  try {
    lufio::SafeFileW out(argv[1], lufio::FileHandler::TypeBinary, lufio::WinHandlerFactory());
    out.Write(std::string(argv[2]) + "\n");
    out.Commit();  // without it the destructor discards the new file and FILE stays as it was
    std::printf("saved %s\n", argv[1]);
  } catch (const lufio::Error& e) {
    std::fprintf(stderr, "%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
  return 0;
}
