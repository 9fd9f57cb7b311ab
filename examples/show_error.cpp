// Opens FILE for reading and, when that fails, shows everything the error
// carries: lufio::Error is thrown by value and caught by reference, as a
// lufio::Error (or a lusys::Exception, or a std::exception).
//
//   show_error FILE
#include <lufio/lufio.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: show_error FILE\n");
    return 2;
  }
  try {
    lufio::FileR in(argv[1], lufio::FileHandler::TypeBinary, lufio::StdioHandlerFactory());
    std::printf("%s opens: %ld bytes\n", argv[1], static_cast<long>(in.Size()));
    return 0;
  } catch (const lufio::Error& e) {
    std::printf("what:     %s\n", e.what());       // always "File I/O error"
    std::printf("text:     %s\n", e.GetText());    // the fixed message and the path
    std::printf("code:     %lu\n", static_cast<unsigned long>(e.GetCode()));  // the system's code
    std::printf("file:     %s\n", e.GetFileName());  // the path alone
    return 1;
  }
}
