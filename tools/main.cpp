// lufio: the command-line face of the library.
//
//   lufio cat FILE                        copy a file to standard output,
//                                         byte for byte
//   lufio copy SRC DST                    copy a file (not onto itself)
//   lufio lines FILE [--buffer N]         print each line, marking the pieces
//                                         of a line that did not fit the buffer
//   lufio ls DIR [--files|--dirs] [-0] [-R]
//                                         list a directory (-R: and all below
//                                         it): type, size, last write time
//                                         (UTC) and name, one entry a line
//                                         (names escaped) or, with -0, each
//                                         ended by a NUL
//   lufio bench [--size MiB] [--dir PATH] time every back-end
//
// cat, copy and lines take --backend win|crt|stdio|ios, and - for standard
// input (copy's DST: standard output), in binary. Exit codes: 0 success,
// 1 a failure (printed as one line; a lufio::Error or lufio::DirReader::Error
// with its message, path, code and what the code is), 2 bad usage (one line
// too, "lufio: " first like every error line), 128 + the
// signal's number when interrupted (130 for Ctrl-C; 130 on Windows).
#include <lufio/lufio.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "file_system.h"
#include "interrupt.h"
#include "system_message.h"
#include "terminal.h"

namespace lufio_cli {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// One line for each back-end, under `title`.
std::string BackendHelp(const char* title = "Back-ends (--backend, default stdio):") {
  std::string text = std::string(title) + "\n";
  for (const Backend& backend : Backends()) {
    char line[160];
    std::snprintf(line, sizeof(line), "  %-6s %s\n", backend.name, backend.help);
    text += line;
  }
  return text;
}

const char kStandardHelp[] =
    "- as FILE or SRC reads standard input, - as DST writes standard output, in binary on every platform, through "
    "the chosen back-end adopting the process's own stream (lufio::StandardStreams): win its GetStdHandle handle, "
    "crt descriptor 0 or 1, stdio stdin or stdout, ios the buffer of std::cin or std::cout (a std::fstream cannot "
    "take a descriptor). lines - over win and crt from a pipe, which their line reader cannot move back in, reads "
    "the input whole through the back-end and splits it in memory.";

const char kExitHelp[] =
    "Exit codes: 0 success, 1 failure (one line on standard error: message, path, code), 2 bad usage, "
    "128 + the signal's number when interrupted (SIGINT: 130, SIGTERM: 143, SIGHUP: 129; Windows: 130).";

std::string BenchHelp() {
  return "For each back-end, the median of " + std::to_string(kBenchRuns) +
         " runs of:\n"
         "  read, write  a --size MiB file in 1 MiB pieces (MB/s)\n"
         "  save         the same written by SafeFileW and committed: stored on the disk (MB/s)\n"
         "  nosync       the same committed without storing it (CommitNotDurable; MB/s)\n"
         "  read64       64-byte reads over up to 4 MiB of that file (MB/s)\n"
         "  lines        a text file of mixed line lengths, with a 4096-byte buffer (lines/s)\n"
         "and once, listing a directory of " +
         std::to_string(kBenchEntries) +
         " entries with DirReader (entries/s).\n"
         "Reads come from the system's cache; plain writes end at close, not on the disk.\n"
         "The data lives in a temporary folder, removed afterwards (also on Ctrl-C).\n\n" +
         BackendHelp("Back-ends:");
}

// What the code of `e` is, for its error line: "code N: " and the system's
// description, or, for the failed read or write of a back-end whose transfers
// report the stream's error indicator (stdio), that indicator, which is a flag
// value and no system code. Every other error, a DirReader::Error included,
// carries the system's code.
std::string DescribeErrorCode(const lusys::Exception& e, bool file_error) {
  const auto code = static_cast<unsigned long>(e.GetCode());
  const Backend* backend = BackendAtWork();
  const auto starts = [&e](const char* prefix) { return std::strncmp(e.GetText(), prefix, std::strlen(prefix)) == 0; };
  if (file_error && backend != nullptr && backend->stream_indicator &&
      (starts("Failed to read file: ") || starts("Failed to write file: "))) {
    return "code " + std::to_string(code) + ": the stream's error indicator";
  }
  return DescribeCode(code);
}

// Everything written to standard output has reached it; throws otherwise.
void FinishStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout) {
    throw std::runtime_error("cannot write to standard output");
  }
}

// A whole number in decimal; CLI::Range alone would call any other text a
// number out of its range. No text of its own in the option's type, which
// the option names (BYTES, MiB).
CLI::Validator WholeNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        char* end = nullptr;
        std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || end == text.c_str() || *end != '\0') return text + " is not a number";
        return std::string();
      },
      "");
}

// CLI::ExistingDirectory with the name read as the library reads it: under
// mingw its std::filesystem::path would not take a UTF-8 name on Windows.
CLI::Validator ExistingDirectory() {
  return CLI::Validator(
      [](std::string& name) -> std::string {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(NativePath(name), error);
        if (!std::filesystem::exists(status)) return "Directory does not exist: " + name;
        if (!std::filesystem::is_directory(status)) return "Directory is actually a file: " + name;
        return std::string();
      },
      "DIR");
}

// The usage error `e` of `app` in one line on standard error, "lufio: " first
// like every other error line, with the command whose help tells more. An
// unknown command gets the list of commands instead of the parser's words.
void ReportUsageError(const CLI::App& app, const CLI::ParseError& e, const std::string& commands) {
  std::string help = "lufio";
  for (const CLI::App* command = &app; !command->get_subcommands().empty();) {
    command = command->get_subcommands().back();
    help += " " + command->get_name();
  }
  const std::vector<std::string> rest = app.remaining();
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr && app.get_subcommands().empty() && !rest.empty() &&
      rest.front().compare(0, 1, "-") != 0) {
    std::fprintf(stderr, "lufio: unknown command '%s'; the commands are %s (see lufio --help)\n",
                 rest.front().c_str(), commands.c_str());
    return;
  }
  std::fprintf(stderr, "lufio: %s (see %s --help)\n", e.what(), help.c_str());
}

// Parses the command line and runs the command; returns the exit code of a
// usage error or of success, and lets failures propagate.
int Run(int argc, char** argv) {
  CLI::App app{"lufio: read, write and list files through one of four back-ends", "lufio"};
  app.set_version_flag("--version", std::string("lufio ") + LUFIO_VERSION, "Print the version and exit");
  app.require_subcommand(0, 1);  // none is reported below, after unknown options
  // A path such as /tmp/x is a path on every platform, never an option: no
  // "/option" syntax on Windows. Set before the commands, which inherit it.
  app.allow_windows_style_options(false);
  app.footer(BackendHelp() + "\n" + kStandardHelp + "\n\n" + kExitHelp);

  std::vector<std::string> names;
  for (const Backend& backend : Backends()) names.emplace_back(backend.name);
  std::string backend = "stdio";
  auto add_backend = [&](CLI::App* command) {
    command->add_option("--backend,-b", backend, "the back-end (see below)")
        ->check(CLI::IsMember(names))
        ->capture_default_str();
    command->footer(BackendHelp() + "\n" + kStandardHelp);
  };

  std::string file, to;
  long buffer_size = 4096;

  // The range goes with the option's own text, not into its type (BYTES).
  const auto range = [](long low, long high) { return CLI::Range(low, high).description(""); };

  CLI::App* cat = app.add_subcommand("cat", "Copy FILE to standard output");
  cat->add_option("FILE", file, "the file to print; - for standard input")->required();
  add_backend(cat);

  CLI::App* copy = app.add_subcommand(
      "copy", "Copy SRC to DST, which changes only when the copy is complete (refused when both are one file)");
  copy->add_option("SRC", file, "the file to copy; - for standard input")->required();
  copy->add_option("DST", to, "the copy; - for standard output")->required();
  add_backend(copy);
  copy->footer(
      "The copy is written beside DST under a name of its own (.lufio-save- and 16 hex digits), stored on the disk, "
      "and put in DST's place in one step, keeping DST's permissions (a new DST gets SRC's, as cp gives them); on any "
      "failure or interrupt it is removed and DST stays as it was. A DST that is a device or a FIFO is written where "
      "it is.\n"
      "When standard error is a terminal, a copy of 8 MiB or more shows its progress, whatever its size; from a "
      "pipe or a device, whose size is unknown, the bytes copied so far.\n\n" +
      BackendHelp() + "\n" + kStandardHelp);

  CLI::App* lines =
      app.add_subcommand("lines", "Print FILE line by line; a piece that did not fit the buffer ends in ' \\'");
  lines->add_option("FILE", file, "the text file; - for standard input")->required();
  lines
      ->add_option("--buffer", buffer_size,
                   "line buffer size in bytes, 2 to 1073741824. Over win and crt every line reads a whole buffer "
                   "and moves back behind its line feed, so the time grows with the size (README.md, \"Line "
                   "reading speed\", has the figures; lufio bench measures lines here). stdio and ios read from "
                   "their own buffers")
      ->type_name("BYTES")
      ->check(WholeNumber())
      ->check(range(2L, 1L << 30))
      ->capture_default_str();
  add_backend(lines);

  bool only_files = false, only_dirs = false, zero = false, recursive = false;
  CLI::App* ls = app.add_subcommand("ls", "List DIR: type, size, last write time (UTC) and name of each entry");
  ls->add_option("DIR", file, "the directory to list")->required();
  CLI::Option* files_flag = ls->add_flag("--files", only_files, "list only files");
  ls->add_flag("--dirs", only_dirs, "list only subdirectories")->excludes(files_flag);
  ls->add_flag("--zero,-0", zero, "end each entry with a NUL instead of a line feed, its name as it is");
  ls->add_flag("-R,--recursive", recursive,
               "list every entry below DIR, each folder before its contents, named by its path relative to DIR; "
               "links are listed, not entered");
  ls->footer(
      "Types: dir, file, and where the system has them fifo, sock, chr (a character device), blk (a block device), "
      "dev (another kind of device).\n"
      "One entry is one line: in a name, a backslash is written \\\\, a line feed \\n, a carriage return \\r, a "
      "tab \\t and any other control character \\xHH (GNU ls's escape style, in hexadecimal). With --zero each "
      "entry ends with a NUL and its name is written as it is, for xargs -0.\n"
      "Lists through DirReader, -R through DirTreeReader (the Win32 find functions; POSIX stand-ins off Windows): "
      "no back-end choice. With -R a subfolder that cannot be read is named on standard error, the listing goes "
      "on, and the exit code is 1.");

  BenchOptions bench_options;
  CLI::App* bench = app.add_subcommand("bench", "Time every back-end on data of its own and print one table");
  bench->add_option("--size", bench_options.size_mib, "size of the bulk file in MiB, 1 to 2047")
      ->type_name("MiB")
      ->check(WholeNumber())
      ->check(range(1L, 2047L))
      ->capture_default_str();
  bench->add_option("--dir", bench_options.dir, "where to make the temporary folder (default: the system's)")
      ->check(ExistingDirectory());
  bench->footer(BenchHelp());

  std::string commands;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    commands += (commands.empty() ? "" : ", ") + command->get_name();
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() != 0) {
      ReportUsageError(app, e, commands);
      return kExitUsage;
    }
    app.exit(e);  // --help, --version
    FinishStandardOutput();
    return 0;
  }
  if (app.get_subcommands().empty()) {
    std::fprintf(stderr, "lufio: a command is required: %s (see lufio --help)\n", commands.c_str());
    return kExitUsage;
  }

  const bool show_progress = StderrIsTerminal();
  if (cat->parsed()) {
    if (!MakeStdoutBinary()) throw std::runtime_error("cannot put standard output into binary mode");
    Cat(file, FindBackend(backend));
  }
  if (copy->parsed()) Copy(file, to, FindBackend(backend), show_progress);
  if (lines->parsed()) Lines(file, buffer_size, FindBackend(backend));
  if (ls->parsed()) {
    const bool all_read = Ls(file,
                             only_files  ? lufio::DirReader::FilterFiles
                             : only_dirs ? lufio::DirReader::FilterDirs
                                         : lufio::DirReader::FilterAll,
                             zero, recursive);
    if (!all_read) {
      FinishStandardOutput();
      return kExitFailure;
    }
  }
  if (bench->parsed()) Bench(bench_options, show_progress);
  FinishStandardOutput();
  return 0;
}

}  // namespace

// Reports the exception being handled in one line on standard error and
// returns the exit code. A failure that came after an interrupt (a read the
// interrupt cancelled) is reported as the interrupt.
int ReportFailure() {
  try {
    ThrowIfInterrupted();
    throw;
  } catch (const Interrupted& interrupted) {
    std::fputs("lufio: interrupted\n", stderr);
    return ExitInterrupted(interrupted);
  } catch (const lufio::Error& e) {
    std::fprintf(stderr, "lufio: %s (%s)\n", e.GetText(), DescribeErrorCode(e, true).c_str());
  } catch (const lusys::Exception& e) {  // lufio::DirReader::Error
    std::fprintf(stderr, "lufio: %s (%s)\n", e.GetText(), DescribeErrorCode(e, false).c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lufio: %s\n", e.what());
  } catch (...) {
    std::fputs("lufio: unexpected failure\n", stderr);
  }
  return kExitFailure;
}

}  // namespace lufio_cli

int main(int argc, char** argv) {
  lufio_cli::PrepareSignals();
  try {
    return lufio_cli::Run(argc, argv);
  } catch (...) {
    return lufio_cli::ReportFailure();
  }
}
