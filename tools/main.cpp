// lufio: the command-line face of the library.
//
//   lufio cat FILE                        copy a file to standard output,
//                                         byte for byte
//   lufio copy SRC DST                    copy a file (not onto itself)
//   lufio lines FILE [--buffer N]         print each line, marking the pieces
//                                         of a line that did not fit the buffer
//   lufio ls DIR [--files|--dirs] [-R]    list a directory (-R: and all below
//                                         it): type, size, last write time
//                                         (UTC) and name
//   lufio bench [--size MiB] [--dir PATH] time every back-end
//
// cat, copy and lines take --backend win|crt|stdio|ios. Exit codes: 0 success,
// 1 a failure (printed as one line; a lufio::Error or lufio::DirReader::Error
// with its message, path, code and what the code is), 2 bad usage, 128 + the
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
// number out of its range.
CLI::Validator WholeNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        char* end = nullptr;
        std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || end == text.c_str() || *end != '\0') return text + " is not a number";
        return std::string();
      },
      "NUMBER");
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

// Parses the command line and runs the command; returns the exit code of a
// usage error or of success, and lets failures propagate.
int Run(int argc, char** argv) {
  CLI::App app{"lufio: read, write and list files through one of four back-ends", "lufio"};
  app.set_version_flag("--version", std::string("lufio ") + LUFIO_VERSION, "Print the version and exit");
  app.require_subcommand(0, 1);  // none is reported below, after unknown options
  // A path such as /tmp/x is a path on every platform, never an option: no
  // "/option" syntax on Windows. Set before the commands, which inherit it.
  app.allow_windows_style_options(false);
  app.footer(BackendHelp() + "\n" + kExitHelp);

  std::vector<std::string> names;
  for (const Backend& backend : Backends()) names.emplace_back(backend.name);
  std::string backend = "stdio";
  auto add_backend = [&](CLI::App* command) {
    command->add_option("--backend,-b", backend, "the back-end (see below)")
        ->check(CLI::IsMember(names))
        ->capture_default_str();
    command->footer(BackendHelp());
  };

  std::string file, to;
  long buffer_size = 4096;

  CLI::App* cat = app.add_subcommand("cat", "Copy FILE to standard output");
  cat->add_option("FILE", file, "the file to print")->required();
  add_backend(cat);

  CLI::App* copy = app.add_subcommand(
      "copy", "Copy SRC to DST, which changes only when the copy is complete (refused when both are one file)");
  copy->add_option("SRC", file, "the file to copy")->required();
  copy->add_option("DST", to, "the copy")->required();
  add_backend(copy);
  copy->footer(
      "The copy is written beside DST under a name of its own (.lufio-save- and 16 hex digits), stored on the disk, "
      "and put in DST's place in one step, keeping DST's permissions (a new DST gets SRC's, as cp gives them); on any "
      "failure or interrupt it is removed and DST stays as it was. A DST that is a device or a FIFO is written where "
      "it is.\n"
      "A file of 8 MiB or more shows its progress when standard error is a terminal.\n\n" +
      BackendHelp());

  CLI::App* lines =
      app.add_subcommand("lines", "Print FILE line by line; a piece that did not fit the buffer ends in ' \\'");
  lines->add_option("FILE", file, "the text file")->required();
  lines
      ->add_option("--buffer", buffer_size,
                   "line buffer size in bytes (2 or more). Over win and crt every line reads a whole buffer and "
                   "moves back behind its line feed, so the time grows with N: 200,000 short lines take about "
                   "0.1 s with 4096 and 15 s with 1048576. stdio and ios read from their own buffers")
      ->check(WholeNumber())
      ->check(CLI::Range(2L, 1L << 30))
      ->capture_default_str();
  add_backend(lines);

  bool only_files = false, only_dirs = false, recursive = false;
  CLI::App* ls = app.add_subcommand("ls", "List DIR: type, size, last write time (UTC) and name of each entry");
  ls->add_option("DIR", file, "the directory to list")->required();
  CLI::Option* files_flag = ls->add_flag("--files", only_files, "list only files");
  ls->add_flag("--dirs", only_dirs, "list only subdirectories")->excludes(files_flag);
  ls->add_flag("-R,--recursive", recursive,
               "list every entry below DIR, each folder before its contents, named by its path relative to DIR; "
               "links are listed, not entered");
  ls->footer(
      "Lists through DirReader, -R through DirTreeReader (the Win32 find functions; POSIX stand-ins off Windows): "
      "no back-end choice. With -R a subfolder that cannot be read is named on standard error, the listing goes "
      "on, and the exit code is 1.");

  BenchOptions bench_options;
  CLI::App* bench = app.add_subcommand("bench", "Time every back-end on data of its own and print one table");
  bench->add_option("--size", bench_options.size_mib, "size of the bulk file in MiB")
      ->check(WholeNumber())
      ->check(CLI::Range(1L, 2047L))
      ->capture_default_str();
  bench->add_option("--dir", bench_options.dir, "where to make the temporary folder (default: the system's)")
      ->check(ExistingDirectory());
  bench->footer(BenchHelp());

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (app.exit(e) != 0) return kExitUsage;
    FinishStandardOutput();  // --help, --version
    return 0;
  }
  if (app.get_subcommands().empty()) {
    std::fputs("A command is required: cat, copy, lines, ls or bench\nRun with --help for more information.\n", stderr);
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
                             recursive);
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
