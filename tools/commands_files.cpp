// The commands over one file or one directory: cat, copy, lines and ls, and
// the table of back-ends.
#include <lufio/dir_entry_imp.h>
#include <lufio/lufio.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands.h"
#include "file_system.h"
#include "interrupt.h"
#include "progress.h"
#include "system_message.h"

namespace lufio_cli {
namespace {

constexpr std::size_t kCopyBuffer = 1 << 20;
// Copies from this size on show progress.
constexpr std::uint64_t kCopyProgressFrom = 8 << 20;

// Writes all of `n` bytes to standard output.
void PutOut(const char* data, std::size_t n) {
  if (n != 0 && std::fwrite(data, 1, n, stdout) != n) throw std::runtime_error("cannot write to standard output");
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

const Backend* g_backend_at_work = nullptr;

// The standard stream `stream` as a factory of back-end `Factory`.
template <class Factory, Factory (*Make)(lufio::StandardStreams::Stream)>
std::unique_ptr<lufio::FileHandlerFactory> Standard(lufio::StandardStreams::Stream stream) {
  return std::make_unique<Factory>(Make(stream));
}

// How a file object for a name of the command line is made: "-" is the
// standard stream `stream`, adopted by the back-end and named "<stdin>" or
// "<stdout>" in errors; any other name is opened by the back-end's factory.
class Opening {
 public:
  Opening(const std::string& name, lufio::StandardStreams::Stream stream, const Backend& backend)
      : adopted_(name == kStandardName ? backend.standard(stream) : nullptr),
        factory_(adopted_ ? adopted_.get() : backend.factory),
        path_(!adopted_                                    ? name.c_str()
              : stream == lufio::StandardStreams::StreamIn ? "<stdin>"
                                                           : "<stdout>") {}
  bool Standard() const noexcept { return adopted_ != nullptr; }
  const lufio::FileHandlerFactory& Factory() const noexcept { return *factory_; }
  const lusys::CPPathFile& Path() const noexcept { return path_; }

 private:
  std::unique_ptr<lufio::FileHandlerFactory> adopted_;
  const lufio::FileHandlerFactory* factory_;
  lusys::CPPathFile path_;
};

// Prints the lines of `in` as Lines describes, reading them as `lines` says.
void PrintLines(lufio::TextFileR& in, long buffer_size, Backend::Lines lines, bool folds_text);

}  // namespace

void WorkThrough(const Backend& backend) noexcept { g_backend_at_work = &backend; }

const Backend* BackendAtWork() noexcept { return g_backend_at_work; }

const std::vector<Backend>& Backends() {
  static const lufio::WinHandlerFactory win;
  static const lufio::CrtHandlerFactory crt;
  static const lufio::StdioHandlerFactory stdio;
  static const lufio::IosHandlerFactory ios;
  using lufio::StandardStreams;
  static const std::vector<Backend> backends{
      {"win", "Win32 file handles: CreateFileA, ReadFile, WriteFile (POSIX stand-ins off Windows)", &win, false, true,
       Backend::kDefaultLines, false, Standard<lufio::AdoptedWinHandlerFactory, StandardStreams::Win>},
      {"crt", "C runtime descriptors: _sopen, _read, _write (POSIX stand-ins off Windows)", &crt, false, true,
       Backend::kDefaultLines, TextModeFoldsLineEnds(),
       Standard<lufio::AdoptedCrtHandlerFactory, StandardStreams::Crt>},
      {"stdio", "C stdio streams: fopen, fread, fwrite, fgets", &stdio, true, false, Backend::kFgets,
       TextModeFoldsLineEnds(), Standard<lufio::AdoptedStdioHandlerFactory, StandardStreams::Stdio>},
      {"ios", "C++ streams: std::fstream", &ios, false, false, Backend::kGetline, TextModeFoldsLineEnds(),
       Standard<lufio::AdoptedIosHandlerFactory, StandardStreams::Ios>},
  };
  return backends;
}

const Backend& FindBackend(const std::string& name) {
  for (const Backend& backend : Backends()) {
    if (name == backend.name) return backend;
  }
  return Backends().front();
}

void Cat(const std::string& file, const Backend& backend) {
  WorkThrough(backend);
  const Opening source(file, lufio::StandardStreams::StreamIn, backend);
  if (source.Standard() && SameFile(file, 0, kStandardName, 1)) {
    throw std::runtime_error("standard input is standard output: the same file");
  }
  lufio::FileR in(source.Path(), lufio::FileHandler::TypeBinary, source.Factory());
  std::vector<char> buffer(kCopyBuffer);
  while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size()))) {
    PutOut(buffer.data(), static_cast<std::size_t>(n));
  }
}

void Copy(const std::string& from, const std::string& to, const Backend& backend, bool show_progress) {
  WorkThrough(backend);
  const InterruptScope interrupt_scope(InterruptScope::kAtOnce);  // before SRC's open, which may wait for a writer
  // One answer on every back-end and platform, before anything is opened.
  const Opening source(from, lufio::StandardStreams::StreamIn, backend);
  if (!source.Standard() && IsFolder(from)) throw std::runtime_error("SRC is a folder, not a file: " + from);
  lufio::FileR in(source.Path(), lufio::FileHandler::TypeBinary, source.Factory());
  // The system's 64-bit size: the file object's Size is 32-bit and throws
  // from 2 GiB on. A pipe or a device has none: its progress counts bytes.
  std::uint64_t size = 0;
  const bool size_known = !source.Standard() && RegularFileSize(from, size);
  // Refused, as a copy written in place would cut SRC to length 0 before a
  // byte of it is read.
  if (SameFile(from, 0, to, 1)) {
    const std::string src = source.Standard() ? "standard input" : from;
    const std::string dst = to == kStandardName ? "standard output" : to;
    throw std::runtime_error("cannot copy a file onto itself: " + src + " and " + dst + " are one file");
  }
  Progress progress(size_known ? size : 0, show_progress && (!size_known || size >= kCopyProgressFrom));
  // A regular or new DST is saved safely: written beside it and put in its
  // place by Commit, removed on any failure. A device or FIFO is written where
  // it is.
  const Opening target(to, lufio::StandardStreams::StreamOut, backend);
  std::unique_ptr<lufio::SafeFileW> save;
  std::unique_ptr<lufio::FileW> in_place;
  if (target.Standard() || WrittenInPlace(to)) {
    in_place = std::make_unique<lufio::FileW>(target.Path(), lufio::FileHandler::TypeBinary, target.Factory());
  } else {
    save = std::make_unique<lufio::SafeFileW>(target.Path(), lufio::FileHandler::TypeBinary, target.Factory());
    save->SetNewFileMode(source.Standard() ? 0666 : PermissionBits(from));
    lusys::BasicStrOStream<char> name;
    save->GetFileName().Print(name);
    RemoveOnInterrupt(name.Get());
  }
  std::vector<char> buffer(kCopyBuffer);
  std::uint64_t done = 0;
  char label[40];
  while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size()))) {
    ThrowIfInterrupted();
    // A write the device took only in part goes on with the rest, whose
    // write then reports why (a full device).
    for (std::uint64_t written = 0; written < n;) {
      const lusys::BasicRef<const char> rest(buffer.data() + written, n - written);
      const std::uint64_t step = save ? save->Write(rest) : in_place->Write(rest);
      if (step == 0) throw std::runtime_error("short write to " + to);
      written += step;
    }
    done += n;
    if (size_known) {
      std::snprintf(label, sizeof(label), "%llu of %llu MiB", static_cast<unsigned long long>(done >> 20),
                    static_cast<unsigned long long>(size >> 20));
      progress.Update(done, label);
    } else if (done >= kCopyProgressFrom) {
      std::snprintf(label, sizeof(label), "%llu MiB copied", static_cast<unsigned long long>(done >> 20));
      progress.Update(done, label);
    }
  }
  ThrowIfInterrupted();
  if (save) {
    save->Commit();
    ForgetOnInterrupt();
    return;
  }
  // Flushed so that every write error shows here (the stdio back-end's Close
  // would not report one); a device or FIFO cannot be asked to store anything,
  // which is what the Win32 and C runtime back-ends' Flush asks.
  if (!backend.flush_syncs) in_place->Flush();
  in_place->Close();
}

void Lines(const std::string& file, long buffer_size, const Backend& backend) {
  WorkThrough(backend);
  const Opening source(file, lufio::StandardStreams::StreamIn, backend);
  lufio::TextFileR in(source.Path(), source.Factory());
  if (source.Standard() && backend.lines == Backend::kDefaultLines) {
    try {
      in.Tell();
    } catch (const lufio::Error&) {
      // A pipe: its bytes come whole through the back-end, its lines from
      // the stream's getline over them in memory.
      lufio::FileR whole(source.Path(), lufio::FileHandler::TypeBinary, source.Factory());
      std::stringbuf text(lufio::WholeFile::Read(whole));
      lufio::TextFileR split(source.Path(), lufio::AdoptedIosHandlerFactory(text));
      PrintLines(split, buffer_size, Backend::kGetline, false);
      return;
    }
  }
  // Standard input is binary: no line end was folded.
  PrintLines(in, buffer_size, backend.lines, backend.folds_text && !source.Standard());
}

namespace {

void PrintLines(lufio::TextFileR& in, long buffer_size, Backend::Lines lines, bool folds_text) {
  const auto size = static_cast<std::size_t>(buffer_size);
  // The bytes a line took tell whether it held a NUL: the default line
  // reader's from the offset before and after it (it needs one anyway), the
  // others' from a buffer filled with kUnwritten, which stays after the
  // line's terminating zero.
  constexpr char kUnwritten = '\xff';
  const bool measured = lines == Backend::kDefaultLines;
  std::vector<char> buffer(size, kUnwritten);
  bool complete = true;
  std::uint64_t line = 1, with_nul = 0;
  for (lusys::Long before = measured ? in.Tell() : 0;
       in.GetLine(buffer.data(), static_cast<lusys::Long>(buffer_size), complete);) {
    const std::size_t shown = std::strlen(buffer.data());
    // The bytes of the line end that a complete line took as well: its line
    // feed (CR LF where text mode folds it) from the file, or the line feed
    // that fgets left in the buffer.
    std::size_t end = 0;
    std::size_t taken = size - 1;
    if (measured) {
      const lusys::Long after = in.Tell();
      taken = static_cast<std::size_t>(after - before);
      before = after;
      end = complete ? (folds_text ? 2 : 1) : 0;
    } else {
      // A line without a NUL wrote its text, its end's zeros and nothing
      // after them: the byte there is still kUnwritten (or the buffer ended).
      // Only a line that wrote more is searched for its last byte, so a long
      // buffer costs nothing per line; a NUL followed directly by a 0xFF byte
      // (over stdio a NUL, a zero and 0xFF) looks like a line's end (README).
      end = complete && lines == Backend::kFgets ? 1 : 0;
      taken = shown + end;
      const bool ended_there = taken + 1 >= size || buffer[taken + 1] == kUnwritten;
      if (!ended_there || (end == 1 && buffer[taken] != '\0')) {
        taken = size - 1;
        while (taken > shown && buffer[taken] == kUnwritten) --taken;
      }
    }
    PutOut(buffer.data(), shown);
    PutOut(complete ? "\n" : " \\\n", complete ? 1 : 3);
    if (!measured) std::fill(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(taken) + 1, kUnwritten);
    if (taken > shown + end) {
      ++with_nul;
      std::fprintf(stderr, "lufio: line %llu held a NUL byte: it is shown up to that byte\n",
                   static_cast<unsigned long long>(line));
    }
    if (complete) ++line;
  }
  if (with_nul != 0) throw std::runtime_error(std::to_string(with_nul) + " line(s) shown only up to a NUL byte");
}

}  // namespace

std::string EscapeName(const char* name) {
  std::string text;
  for (; *name != '\0'; ++name) {
    const auto byte = static_cast<unsigned char>(*name);
    switch (byte) {
      case '\\':
        text += "\\\\";
        break;
      case '\n':
        text += "\\n";
        break;
      case '\r':
        text += "\\r";
        break;
      case '\t':
        text += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          char hex[5];
          std::snprintf(hex, sizeof(hex), "\\x%02x", byte);
          text += hex;
        } else {
          text += static_cast<char>(byte);
        }
    }
  }
  return text;
}

namespace {

// `path`, a path below a listed folder that ends in `name`, with each name in
// it escaped and its separators ('/'; '\\' on Windows) kept.
std::string EscapePath(const char* path, const char* name) {
  const std::string text = path;
  const std::size_t name_at = text.size() - std::strlen(name);
  if (name_at == 0) return EscapeName(path);
  const char separator = text[name_at - 1];
  std::string escaped;
  std::size_t from = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos; from = at + 1, at = text.find(separator, from)) {
    escaped += EscapeName(text.substr(from, at - from).c_str()) + separator;
  }
  return escaped + EscapeName(text.c_str() + from);
}

// One entry of ls: type, size, last write time (UTC) and `path`, the name or
// the path below `dir`, escaped or, when `zero`, as it is and ended by a NUL.
void PrintEntry(const std::string& dir, const lufio::DirEntry& found, const char* path, bool zero) {
  lufio::DirEntry entry(found);  // the record is reached through an entry of our own
  const lufio::DirEntry::Imp& record = entry.GetImp();
  const std::uint64_t size = (std::uint64_t{record.nFileSizeHigh} << 32) | record.nFileSizeLow;
  const std::uint64_t written =
      (std::uint64_t{record.ftLastWriteTime.dwHighDateTime} << 32) | record.ftLastWriteTime.dwLowDateTime;
  const std::string name = zero ? std::string(path) : EscapePath(path, entry.GetName());
  std::printf("%-4s %12llu %s %s", EntryKind(dir, path, record.dwFileAttributes),
              static_cast<unsigned long long>(size), IsoTime(written).c_str(), name.c_str());
  PutOut(zero ? "" : "\n", 1);  // the NUL of an empty text, or a line feed
}

}  // namespace

// Entries come in the platform's order; with `recursive` each folder's entry
// before its contents. An empty name is no folder, as for ls (the library
// reads "" as the current one): it fails as a missing one, code 2 on every
// platform (ERROR_FILE_NOT_FOUND, ENOENT).
bool Ls(const std::string& dir, lufio::DirReader::Filter filter, bool zero, bool recursive) {
  constexpr lusys::ULong kMissingFile = 2;
  if (dir.empty()) throw lufio::DirReader::Error(lusys::Literal("Failed to open"), lusys::Literal(""), kMissingFile);
  if (!recursive) {
    lufio::DirReader reader(lusys::CPPath(dir.c_str()), filter);
    for (const lufio::DirEntry* found = reader.GetFirst(); found != nullptr; found = reader.GetNext()) {
      PrintEntry(dir, *found, found->GetName(), zero);
    }
    return true;
  }
  bool all_read = true;
  lufio::DirTreeReader walk(lusys::CPPath(dir.c_str()), filter);
  for (const lufio::DirTreeEntry* found = walk.GetFirst(); found != nullptr; found = walk.GetNext()) {
    if (const lufio::DirReader::Error* error = found->GetError()) {
      std::fflush(stdout);  // the error line after the lines before it
      std::fprintf(stderr, "lufio: %s (%s)\n", error->GetText(), DescribeCode(error->GetCode()).c_str());
      all_read = false;
    } else {
      PrintEntry(dir, found->GetEntry(), found->GetPath(), zero);
    }
  }
  return all_read;
}

}  // namespace lufio_cli
