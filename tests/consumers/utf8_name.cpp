// A program built against an installed lufio: writes, reads back and lists a
// file whose name is UTF-8 text, in an empty directory given as its argument.
// Prints the name it listed; exits 1 when anything differs.
#include <lufio/lufio.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const char name[] = "Grüße-Ελλάδα-Отчёт-日本語-😀.txt";
  char back[4] = {};
  try {
    const lusys::CPPathFile path(lusys::CPPath(argv[1]), lusys::Literal(name));
    lufio::FileW(path, lufio::FileHandler::TypeBinary, lufio::WinHandlerFactory()).Write(lusys::Literal("abc"));
    lufio::FileR(path, lufio::FileHandler::TypeBinary, lufio::StdioHandlerFactory())
        .Read(lusys::BasicRef<char>(back, 3));
    lufio::DirReader reader(lusys::CPPath(argv[1]), lufio::DirReader::FilterFiles);
    const lufio::DirEntry* entry = reader.GetFirst();
    std::printf("listed %s, read %s\n", entry ? entry->GetName() : "nothing", back);
    return entry && std::strcmp(entry->GetName(), name) == 0 && std::strcmp(back, "abc") == 0 ? 0 : 1;
  } catch (const lusys::Exception& e) {
    std::printf("%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
}
