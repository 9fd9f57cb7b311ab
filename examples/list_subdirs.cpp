// Lists the subdirectories of a directory ("." and ".." are never listed).
//
//   list_subdirs DIR
#include <lufio/lufio.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: list_subdirs DIR\n");
    return 2;
  }
  try {
    lufio::DirReader reader(lusys::CPPath(argv[1]), lufio::DirReader::FilterDirs);
    for (const lufio::DirEntry* entry = reader.GetFirst(); entry != nullptr; entry = reader.GetNext()) {
      std::printf("%s\n", entry->GetName());
    }
  } catch (const lufio::DirReader::Error& e) {
    std::fprintf(stderr, "%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
  return 0;
}
