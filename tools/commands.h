// The commands of the lufio program, one function each, and the table of
// back-ends they choose from. main.cpp parses the command line and calls
// them; they report failures by throwing (lufio::Error, DirReader::Error,
// std::exception, Interrupted) and print their results to standard output.
#ifndef LUFIO_TOOLS_COMMANDS_H_
#define LUFIO_TOOLS_COMMANDS_H_

#include <lufio/lufio.h>

#include <string>
#include <vector>

namespace lufio_cli {

struct Backend {
  const char* name;  // as given to --backend
  const char* help;  // one line for --help
  const lufio::FileHandlerFactory* factory;
  // Its "Failed to read file" and "Failed to write file" carry the stream's
  // error indicator (ferror) as the code; every other error a system code.
  bool stream_indicator;
  // It buffers nothing, and its Flush asks the system to store the data on
  // the disk (FlushFileBuffers, _commit), which a device or a FIFO refuses.
  bool flush_syncs;
  // Where its lines come from: the default line reader, which zero-fills the
  // buffer and moves back behind each line; fgets, which keeps the line feed
  // (made the line's zero); the stream's getline, which drops it.
  enum Lines { kDefaultLines, kFgets, kGetline } lines;
  // Text mode folds a CR LF line end into LF on Windows.
  bool folds_text;
};

// The four back-ends in the order the program lists them: win, crt, stdio, ios.
const std::vector<Backend>& Backends();
// The back-end called `name`; Backends().front() when there is none.
const Backend& FindBackend(const std::string& name);

// The back-end whose file objects the command uses from now on, for main to
// read the code of a lufio::Error by; not reset when one throws.
void WorkThrough(const Backend& backend) noexcept;
// The last back-end given to WorkThrough; null before the first.
const Backend* BackendAtWork() noexcept;

// Copies `file` to standard output, which must write bytes unchanged
// (MakeStdoutBinary).
void Cat(const std::string& file, const Backend& backend);
// Copies `from` to `to`; shows progress when `show_progress` and the file is
// large. A regular (or new) `to` changes only when the copy is complete: the
// copy is written beside it under a name of its own, flushed and closed, and
// then put in its place; any failure or interrupt (Interrupted) removes it and
// leaves `to` as it was. Any other existing `to` (a device, a FIFO) is written
// where it is. Throws, leaving both untouched, when they name one file.
void Copy(const std::string& from, const std::string& to, const Backend& backend, bool show_progress);
// Prints each line of `file`; a piece of a line that did not fit the buffer
// ends in " \". A line that held a NUL byte, whose text a line reader gives
// only up to that byte, is printed up to it and named on standard error, and
// the command then fails.
void Lines(const std::string& file, long buffer_size, const Backend& backend);
// Prints each entry of `dir` that passes `filter`: type, size, last write
// time (UTC) and name; with `recursive` every entry below `dir`, named by its
// path relative to `dir`. A subfolder that cannot be read is named in one
// line on standard error and the listing goes on: false at the end.
bool Ls(const std::string& dir, lufio::DirReader::Filter filter, bool recursive);

// What bench measures besides the bulk file: the entries of the listed
// directory, and the runs of each measurement (the table shows the median).
constexpr int kBenchEntries = 4000;
constexpr int kBenchRuns = 5;

struct BenchOptions {
  long size_mib = 64;  // the bulk file
  std::string dir;     // where the temporary folder goes; empty: the system's
};
// Times every back-end over data of its own in a temporary folder (removed
// afterwards) and prints one table; shows progress when `show_progress`.
void Bench(const BenchOptions& options, bool show_progress);

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_COMMANDS_H_
