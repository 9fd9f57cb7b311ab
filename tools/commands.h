// The commands of the lufio program, one function each, and the table of
// back-ends they choose from. main.cpp parses the command line and calls
// them; they report failures by throwing (lufio::Error, DirReader::Error,
// std::exception, Interrupted) and print their results to standard output.
#ifndef LUFIO_TOOLS_COMMANDS_H_
#define LUFIO_TOOLS_COMMANDS_H_

#include <lufio/lufio.h>

#include <memory>
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
  // A factory of this back-end that adopts the process's standard stream
  // (StandardStreams), in binary: what "-" names.
  std::unique_ptr<lufio::FileHandlerFactory> (*standard)(lufio::StandardStreams::Stream stream);
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

// The name that stands for standard input as a source and for standard
// output as copy's destination.
inline constexpr char kStandardName[] = "-";

// Copies `file` ("-": standard input) to standard output, which must write
// bytes unchanged (MakeStdoutBinary).
void Cat(const std::string& file, const Backend& backend);
// Copies `from` ("-": standard input) to `to` ("-": standard output, written
// in place); shows progress when `show_progress` and the file is
// large. A regular (or new) `to` changes only when the copy is complete: the
// copy is written beside it under a name of its own, flushed and closed, and
// then put in its place; any failure or interrupt (Interrupted) removes it and
// leaves `to` as it was. Any other existing `to` (a device, a FIFO) is written
// where it is. Throws, leaving both untouched, when they name one file (a
// standard stream counts when it is a regular file).
void Copy(const std::string& from, const std::string& to, const Backend& backend, bool show_progress);
// Prints each line of `file` ("-": standard input); a piece of a line that did not fit the buffer
// ends in " \". A line that held a NUL byte, whose text a line reader gives
// only up to that byte, is printed up to it and named on standard error, and
// the command then fails. Standard input that the back-end's line reader
// cannot read (win and crt move back behind each line, which a pipe cannot)
// is read whole through the back-end and split into lines in memory.
void Lines(const std::string& file, long buffer_size, const Backend& backend);
// Prints each entry of `dir` that passes `filter`: type, size, last write
// time (UTC) and name, one entry a line with the name escaped (EscapeName),
// or, when `zero`, each ended by a NUL with the name as it is. With
// `recursive` every entry below `dir`, named by its path relative to `dir`; a
// subfolder that cannot be read is named in one line on standard error and
// the listing goes on. False when one could not be read.
bool Ls(const std::string& dir, lufio::DirReader::Filter filter, bool zero = false, bool recursive = false);
// `name` with a backslash written as two, and a line feed, carriage return,
// tab or other control character as \n, \r, \t or \xHH, so that it holds
// no line break and reads back unambiguously (GNU ls's escape style). Bytes
// from 0x80 on (UTF-8) stay as they are.
std::string EscapeName(const char* name);

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
