// A program built against an installed lufio: writes, reads back and lists a
// file whose name is UTF-8 text, in an empty directory given as its argument.
// Prints the name it listed; exits 1 when anything differs.
#include <lufio/lufio.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const char name[] = "Grüße-Ελλάδα-Отчёт-日本語-😀.txt";
  const char text[] = "first line\n";
  char back[sizeof(text)] = {};
  const lufio::WinHandlerFactory win;
  const lufio::StdioHandlerFactory stdio;
  try {
    const lusys::CPPath dir(argv[1]);
    const lusys::CPPathFile path(dir, lusys::Literal(name));
    lufio::FileW(path, lufio::FileHandler::TypeBinary, win).Write(lusys::Literal(text));
    lufio::FileR(path, lufio::FileHandler::TypeBinary, stdio).Read(lusys::BasicRef<char>(back, sizeof(back) - 1));
    lufio::DirReader reader(dir, lufio::DirReader::FilterFiles);
    const lufio::DirEntry* entry = reader.GetFirst();
    const bool same = entry && std::strcmp(entry->GetName(), name) == 0 && std::strcmp(back, text) == 0;
    std::printf("listed %s: %s\n", entry ? entry->GetName() : "nothing", same ? "same" : "different");
    return same ? 0 : 1;
  } catch (const lusys::Exception& e) {
    std::printf("%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
}
