// The examples of the API reference. Each block between two "//! [Name]" lines
// is shown on the page of the class it is named after (Doxygen's @snippet), so
// the reference shows only code that this program compiles and runs: the build
// makes it with the other examples and a test runs it in a folder of its own.
//
//   reference              writes, reads and lists a few files in the current folder
#include <lufio/dir_entry_imp.h>
#include <lufio/lufio.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace {

void WriteNotes() {
  //! [FileW]
  const lufio::CrtHandlerFactory crt;
  lufio::FileW out("notes.txt", lufio::FileHandler::TypeBinary, crt);  // made, or cut to length 0
  out.Write(lusys::Literal("first line\n"));  // Literal: string literals only
  const std::string more = "second line\n";
  out.Write(more);  // a std::string is a view of its bytes
  out.Flush();      // over crt: stored on the device
  //! [FileW]
}  // the destructor closes the file

void ReadNotes() {
  //! [FileR]
  const lufio::WinHandlerFactory win;
  lufio::FileR in("notes.txt", lufio::FileHandler::TypeBinary, win);  // throws Error when missing
  std::printf("notes.txt holds %ld bytes\n", static_cast<long>(in.Size()));
  char buffer[4096];
  while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer)))) {  // 0 at the end
    std::fwrite(buffer, 1, static_cast<std::size_t>(n), stdout);
  }
  in.Seek(-5, lufio::FileHandler::WhenceEnd);  // clamped to [0, Size()]: never before 0, never past the end
  //! [FileR]
}

void UpdateInPlace() {
  //! [FileRW]
  const lufio::CrtHandlerFactory crt;
  lufio::FileRW file("table.bin", lufio::FileHandler::TypeBinary, crt);  // made, or cut to length 0
  file.Write(lusys::Literal("0123456789"));
  file.Seek(4, lufio::FileHandler::WhenceBegin);  // one offset for reading and writing
  file.Write(lusys::Literal("ab"));
  file.Seek2Begin();
  char back[10];
  const std::uint64_t n = file.Read(lusys::BasicRef<char>(back, sizeof(back)));
  std::printf("table.bin: %.*s\n", static_cast<int>(n), back);  // 0123ab6789
  //! [FileRW]
}

void AppendToLog() {
  //! [FileA]
  const lufio::StdioHandlerFactory stdio;
  for (const char* event : {"started\n", "stopped\n"}) {
    lufio::FileA log("log.txt", lufio::FileHandler::TypeBinary, stdio);  // made when missing
    log.Write(lusys::CStrRef(event));  // lands at the end, whatever the offset
  }
  //! [FileA]
}

void PrintLines() {
  //! [TextFileR]
  const lufio::StdioHandlerFactory stdio;  // stdio and ios serve lines from a buffer of their own
  lufio::TextFileR in("notes.txt", stdio);
  char line[8];
  bool complete = false;
  while (in.GetLine(line, sizeof(line), complete)) {  // false at the end of the file
    // The line feed is not stored; a line longer than the buffer comes in
    // pieces, and `complete` marks its last piece.
    std::printf("%s%s", line, complete ? "\n" : "|");
  }
  //! [TextFileR]
}

void SaveSettings() {
  //! [SafeFileW]
  const lufio::CrtHandlerFactory crt;
  lufio::SafeFileW out("settings.ini", lufio::FileHandler::TypeBinary, crt);  // settings.ini untouched
  out.Write(lusys::Literal("[view]\nzoom=2\n"));
  out.Commit();  // now settings.ini holds exactly this, stored on the disk
  //! [SafeFileW]
}

void ListFiles() {
  //! [DirReader]
  lufio::DirReader reader(".", lufio::DirReader::FilterFiles);  // or FilterDirs, FilterAll
  for (const lufio::DirEntry* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) {
    std::printf("file: %s\n", e->GetName());  // never "." or ".."; in the system's order
  }
  //! [DirReader]
}

void ListSizes() {
  //! [DirEntry]
  // #include <lufio/dir_entry_imp.h> for the fields of the record
  lufio::DirReader reader(".", lufio::DirReader::FilterAll);
  std::vector<lufio::DirEntry> kept;
  for (const lufio::DirEntry* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) {
    kept.push_back(*e);  // the reader's entry is reused by the next step: copy it to keep it
  }
  for (lufio::DirEntry& entry : kept) {
    const lufio::DirEntry::Imp& record = entry.GetImp();  // WIN32_FIND_DATAA on Windows
    const bool folder = (record.dwFileAttributes & 0x10) != 0;
    const std::uint64_t size = (std::uint64_t{record.nFileSizeHigh} << 32) | record.nFileSizeLow;
    std::printf("%s %s %llu\n", folder ? "dir " : "file", entry.GetName(), static_cast<unsigned long long>(size));
  }
  //! [DirEntry]
}

void WalkTree() {
  //! [DirTreeReader]
  lufio::DirTreeReader walk(".", lufio::DirReader::FilterFiles);  // every file below ".", folders entered
  for (const lufio::DirTreeEntry* e = walk.GetFirst(); e != nullptr; e = walk.GetNext()) {
    if (const lufio::DirReader::Error* error = e->GetError()) {  // a folder it could not read: goes on
      std::printf("%s (code %lu)\n", error->GetText(), static_cast<unsigned long>(error->GetCode()));
    } else {
      std::printf("depth %d: %s\n", e->GetDepth(), e->GetPath());  // "depth 1: sub/a.txt"
    }
  }
  //! [DirTreeReader]
}

void ReportErrors() {
  //! [Error]
  const lufio::CrtHandlerFactory crt;
  try {
    lufio::FileR in("missing.txt", lufio::FileHandler::TypeBinary, crt);
  } catch (const lufio::Error& e) {
    // "Failed to open: file=missing.txt", code 2 (ERROR_FILE_NOT_FOUND; ENOENT)
    std::printf("%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    std::printf("file: %s, what: %s\n", e.GetFileName(), e.what());  // what() is always "File I/O error"
  }
  //! [Error]
  //! [DirReader::Error]
  try {
    lufio::DirReader reader("no-such-folder", lufio::DirReader::FilterAll);
  } catch (const lufio::DirReader::Error& e) {
    // "Failed to open: dir=no-such-folder" and the system's code
    std::printf("%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
  }
  //! [DirReader::Error]
}

void UseFactories() {
  //! [WinHandlerFactory]
  const lufio::WinHandlerFactory win;  // no text mode: every byte as it is, CR and 0x1A included
  lufio::FileR raw("notes.txt", lufio::FileHandler::TypeBinary, win);
  //! [WinHandlerFactory]
  //! [CrtHandlerFactory]
  const lufio::CrtHandlerFactory crt;  // Flush stores the data on the device (_commit)
  lufio::FileA journal("journal.txt", lufio::FileHandler::TypeBinary, crt);
  journal.Write(lusys::Literal("committed\n"));
  journal.Flush();
  //! [CrtHandlerFactory]
  //! [StdioHandlerFactory]
  const lufio::StdioHandlerFactory stdio;  // fast lines: fgets over the stream's buffer
  lufio::TextFileR lines("notes.txt", stdio);
  //! [StdioHandlerFactory]
  //! [IosHandlerFactory]
  const lufio::IosHandlerFactory ios;  // one factory serves any number of file objects
  lufio::FileW first("first.txt", lufio::FileHandler::TypeBinary, ios);
  lufio::FileW second("second.txt", lufio::FileHandler::TypeBinary, ios);
  //! [IosHandlerFactory]
}

void WholeAndAdopted() {
  //! [WholeFile]
  const lufio::CrtHandlerFactory crt;
  std::string text = lufio::WholeFile::Read("settings.ini", lufio::FileHandler::TypeBinary, crt);
  text += "theme=dark\n";
  lufio::WholeFile::Save("settings.ini", text, lufio::FileHandler::TypeBinary, crt);  // a durable safe save
  //! [WholeFile]
  std::printf("settings.ini: %lu bytes\n", static_cast<unsigned long>(text.size()));

  //! [AdoptedStdioHandlerFactory]
  std::FILE* fp = std::fopen("scratch.bin", "w+b");  // yours: you open it and you close it
  if (fp == nullptr) return;
  {
    lufio::FileRW scratch("scratch.bin", lufio::FileHandler::TypeBinary, lufio::AdoptedStdioHandlerFactory(fp));
    scratch.Write("abc");  // text as it is, without its zero
    scratch.Seek2Begin();
    char back[3];
    const std::uint64_t n = scratch.Read(lusys::BasicRef<char>(back, sizeof(back)));
    std::printf("scratch: %.*s\n", static_cast<int>(n), back);  // abc
  }  // the file object is gone, fp is still open
  std::fclose(fp);
  //! [AdoptedStdioHandlerFactory]

  //! [AdoptedIosHandlerFactory]
  std::stringbuf lines_in_memory("one\ntwo\n");
  lufio::TextFileR in("<text>", lufio::AdoptedIosHandlerFactory(lines_in_memory));
  char line[16];
  bool complete = true;
  while (in.GetLine(line, sizeof(line), complete)) std::printf("<text>: %s\n", line);
  //! [AdoptedIosHandlerFactory]
}

}  // namespace

int main() {
  try {
    WriteNotes();
    ReadNotes();
    UpdateInPlace();
    AppendToLog();
    PrintLines();
    SaveSettings();
    ListFiles();
    ListSizes();
    WalkTree();
    ReportErrors();
    UseFactories();
    WholeAndAdopted();
  } catch (const lusys::Exception& e) {
    std::fprintf(stderr, "%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
}
