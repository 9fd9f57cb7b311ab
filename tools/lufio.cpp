// lufio: the command-line face of the library.
//
//   lufio cat FILE                 copy a file to standard output
//   lufio copy SRC DST             copy a file
//   lufio lines FILE [--buffer N]  print each line, marking the pieces of a
//                                  line that did not fit the buffer
//   lufio ls DIR [--files|--dirs]  list a directory: type, size, last write
//                                  time (UTC) and name, one entry a line
//
// cat, copy and lines take --backend win|crt|stdio|ios. Exit codes: 0 success,
// 1 a lufio::Error or lufio::DirReader::Error (printed as one line: message,
// path, code), 2 bad usage.
#include <lufio/lufio.h>
#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kCopyBuffer = 1 << 20;

const std::map<std::string, const lufio::FileHandlerFactory*>& Backends() {
  static const lufio::WinHandlerFactory win;
  static const lufio::CrtHandlerFactory crt;
  static const lufio::StdioHandlerFactory stdio;
  static const lufio::IosHandlerFactory ios;
  static const std::map<std::string, const lufio::FileHandlerFactory*> backends{
      {"win", &win}, {"crt", &crt}, {"stdio", &stdio}, {"ios", &ios}};
  return backends;
}

// Writes all of `n` bytes to standard output.
void PutOut(const char* data, std::size_t n) {
  if (n != 0 && std::fwrite(data, 1, n, stdout) != n) throw std::runtime_error("cannot write to standard output");
}

void Cat(const std::string& file, const lufio::FileHandlerFactory& backend) {
  lufio::FileR in(lusys::CPPathFile(file.c_str()), lufio::FileHandler::TypeBinary, backend);
  std::vector<char> buffer(kCopyBuffer);
  while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size()))) {
    PutOut(buffer.data(), static_cast<std::size_t>(n));
  }
}

void Copy(const std::string& from, const std::string& to, const lufio::FileHandlerFactory& backend) {
  lufio::FileR in(lusys::CPPathFile(from.c_str()), lufio::FileHandler::TypeBinary, backend);
  lufio::FileW out(lusys::CPPathFile(to.c_str()), lufio::FileHandler::TypeBinary, backend);
  std::vector<char> buffer(kCopyBuffer);
  while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size()))) {
    const std::uint64_t written = out.Write(lusys::BasicRef<const char>(buffer.data(), n));
    if (written != n) throw std::runtime_error("short write to " + to);
  }
  out.Flush();
  out.Close();
}

// Prints each line; a piece of a line that did not fit the buffer ends in
// " \" and the line goes on in the next output line.
void Lines(const std::string& file, long buffer_size, const lufio::FileHandlerFactory& backend) {
  lufio::TextFileR in(lusys::CPPathFile(file.c_str()), backend);
  std::vector<char> buffer(static_cast<std::size_t>(buffer_size));
  bool complete = true;
  while (in.GetLine(buffer.data(), static_cast<lusys::Long>(buffer_size), complete)) {
    std::fputs(buffer.data(), stdout);
    std::fputs(complete ? "\n" : " \\\n", stdout);
  }
}

// The ISO 8601 text (UTC) of a FILETIME value: 100-nanosecond intervals
// since 1601-01-01.
std::string IsoTime(std::uint64_t ticks) {
  const auto seconds = static_cast<std::int64_t>(ticks / 10000000);
  const std::int64_t time_of_day = seconds % 86400;
  // The civil date of a day count since 1970-01-01 (Howard Hinnant's
  // days-to-civil algorithm); 1601-01-01 lies 134774 days before it.
  const std::int64_t z = seconds / 86400 - 134774 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;  // 0 is March
  const std::int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  char text[40];
  std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02dZ", static_cast<int>(year), static_cast<int>(month),
                static_cast<int>(day), static_cast<int>(time_of_day / 3600), static_cast<int>(time_of_day / 60 % 60),
                static_cast<int>(time_of_day % 60));
  return text;
}

// Prints each entry of `dir` that passes `filter`, in the platform's order:
// "dir" or "file", the size in bytes, the last write time and the name.
void Ls(const std::string& dir, lufio::DirReader::Filter filter) {
  constexpr std::uint32_t kDirectoryBit = 0x10;
  lufio::DirReader reader(lusys::CPPath(dir.c_str()), filter);
  for (const lufio::DirEntry* found = reader.GetFirst(); found != nullptr; found = reader.GetNext()) {
    lufio::DirEntry entry(*found);  // the record is reached through an entry of our own
    const lufio::DirEntry::Imp& record = entry.GetImp();
    const std::uint64_t size = (std::uint64_t{record.nFileSizeHigh} << 32) | record.nFileSizeLow;
    const std::uint64_t written =
        (std::uint64_t{record.ftLastWriteTime.dwHighDateTime} << 32) | record.ftLastWriteTime.dwLowDateTime;
    std::printf("%-4s %12llu %s %s\n", (record.dwFileAttributes & kDirectoryBit) != 0 ? "dir" : "file",
                static_cast<unsigned long long>(size), IsoTime(written).c_str(), entry.GetName());
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"lufio: read, write and list files through one of four back-ends", "lufio"};
  app.set_version_flag("--version", std::string("lufio ") + LUFIO_VERSION);
  app.require_subcommand(1);

  std::map<std::string, std::string> backend_help{{"win", "win"}, {"crt", "crt"}, {"stdio", "stdio"}, {"ios", "ios"}};
  std::string backend = "stdio";
  auto add_backend = [&](CLI::App* command) {
    command
        ->add_option("--backend,-b", backend,
                     "win: Win32 handles, crt: C runtime descriptors, stdio: C streams, ios: std::fstream")
        ->check(CLI::IsMember(backend_help))
        ->capture_default_str();
  };

  std::string file, to;
  long buffer_size = 4096;

  CLI::App* cat = app.add_subcommand("cat", "Copy FILE to standard output");
  cat->add_option("FILE", file, "the file to print")->required();
  add_backend(cat);

  CLI::App* copy = app.add_subcommand("copy", "Copy SRC to DST (DST is created or cut to length 0)");
  copy->add_option("SRC", file, "the file to copy")->required();
  copy->add_option("DST", to, "the copy")->required();
  add_backend(copy);

  CLI::App* lines =
      app.add_subcommand("lines", "Print FILE line by line; a piece that did not fit the buffer ends in ' \\'");
  lines->add_option("FILE", file, "the text file")->required();
  lines->add_option("--buffer", buffer_size, "line buffer size in bytes (2 or more)")
      ->check(CLI::Range(2L, 1L << 30))
      ->capture_default_str();
  add_backend(lines);

  bool only_files = false, only_dirs = false;
  CLI::App* ls = app.add_subcommand("ls", "List DIR: type, size, last write time (UTC) and name of each entry");
  ls->add_option("DIR", file, "the directory to list")->required();
  CLI::Option* files_flag = ls->add_flag("--files", only_files, "list only files");
  ls->add_flag("--dirs", only_dirs, "list only subdirectories")->excludes(files_flag);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  try {
    const lufio::FileHandlerFactory& factory = *Backends().at(backend);
    if (cat->parsed()) Cat(file, factory);
    if (copy->parsed()) Copy(file, to, factory);
    if (lines->parsed()) Lines(file, buffer_size, factory);
    if (ls->parsed()) {
      Ls(file, only_files  ? lufio::DirReader::FilterFiles
               : only_dirs ? lufio::DirReader::FilterDirs
                           : lufio::DirReader::FilterAll);
    }
    if (std::fflush(stdout) != 0) throw std::runtime_error("cannot write to standard output");
  } catch (const lusys::Exception& e) {  // lufio::Error, lufio::DirReader::Error
    std::fprintf(stderr, "lufio: %s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lufio: %s\n", e.what());
    return 1;
  }
  return 0;
}
