// lufio: the command-line face of the library.
//
//   lufio cat FILE                        copy a file to standard output,
//                                         byte for byte
//   lufio copy SRC DST                    copy a file (not onto itself)
//   lufio lines FILE [--buffer N]         print each line, marking the pieces
//                                         of a line that did not fit the buffer
//   lufio ls DIR [--files|--dirs]         list a directory: type, size, last
//                                         write time (UTC) and name
//   lufio bench [--size MiB] [--dir PATH] time every back-end
//
// cat, copy and lines take --backend win|crt|stdio|ios. Exit codes: 0 success,
// 1 a failure (lufio::Error or lufio::DirReader::Error printed as one line:
// message, path, code and the system's description of it), 2 bad usage, 130
// interrupted.
#include <lufio/lufio.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
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
constexpr int kExitInterrupted = 130;

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
    "130 interrupted.";

std::string BenchHelp() {
  return "For each back-end, the median of " + std::to_string(kBenchRuns) +
         " runs of:\n"
         "  read, write  a --size MiB file in 1 MiB pieces (MB/s)\n"
         "  read64       64-byte reads over up to 4 MiB of that file (MB/s)\n"
         "  lines        a text file of mixed line lengths, with a 4096-byte buffer (lines/s)\n"
         "and once, listing a directory of " +
         std::to_string(kBenchEntries) +
         " entries with DirReader (entries/s).\n"
         "Reads come from the system's cache; writes end at close, not on the disk.\n"
         "The data lives in a temporary folder, removed afterwards (also on Ctrl-C).\n\n" +
         BackendHelp("Back-ends:");
}

// The stdio back-end's read and write errors carry the stream's error
// indicator, not a system code: the error line must not describe it as one.
bool g_stdio_backend = false;

std::string CodeMeaning(const lusys::Exception& e) {
  const bool transfer = std::strncmp(e.GetText(), "Failed to read file", 19) == 0 ||
                        std::strncmp(e.GetText(), "Failed to write file", 20) == 0;
  if (g_stdio_backend && transfer) return "the stream's error indicator";
  return SystemMessage(static_cast<unsigned long>(e.GetCode()));
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

  CLI::App* copy =
      app.add_subcommand("copy", "Copy SRC to DST (DST is created or cut to length 0; refused when both are one file)");
  copy->add_option("SRC", file, "the file to copy")->required();
  copy->add_option("DST", to, "the copy")->required();
  add_backend(copy);
  copy->footer("A file of 8 MiB or more shows its progress when standard error is a terminal.\n\n" + BackendHelp());

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
  ls->footer("Lists through DirReader (the Win32 find functions; POSIX stand-ins off Windows): no back-end choice.");

  BenchOptions bench_options;
  CLI::App* bench = app.add_subcommand("bench", "Time every back-end on data of its own and print one table");
  bench->add_option("--size", bench_options.size_mib, "size of the bulk file in MiB")
      ->check(CLI::Range(1L, 2047L))
      ->capture_default_str();
  bench->add_option("--dir", bench_options.dir, "where to make the temporary folder (default: the system's)")
      ->check(ExistingDirectory());
  bench->footer(BenchHelp());

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kExitUsage;
  }
  if (app.get_subcommands().empty()) {
    std::fputs("A command is required: cat, copy, lines, ls or bench\nRun with --help for more information.\n", stderr);
    return kExitUsage;
  }

  const bool show_progress = StderrIsTerminal();
  g_stdio_backend = backend == "stdio";
  if (cat->parsed()) {
    if (!MakeStdoutBinary()) throw std::runtime_error("cannot put standard output into binary mode");
    Cat(file, FindBackend(backend));
  }
  if (copy->parsed()) Copy(file, to, FindBackend(backend), show_progress);
  if (lines->parsed()) Lines(file, buffer_size, FindBackend(backend));
  if (ls->parsed()) {
    Ls(file, only_files  ? lufio::DirReader::FilterFiles
             : only_dirs ? lufio::DirReader::FilterDirs
                         : lufio::DirReader::FilterAll);
  }
  if (bench->parsed()) Bench(bench_options, show_progress);
  if (std::fflush(stdout) != 0) throw std::runtime_error("cannot write to standard output");
  return 0;
}

}  // namespace
}  // namespace lufio_cli

int main(int argc, char** argv) {
  try {
    return lufio_cli::Run(argc, argv);
  } catch (const lusys::Exception& e) {  // lufio::Error, lufio::DirReader::Error
    const auto code = static_cast<unsigned long>(e.GetCode());
    const std::string meaning = lufio_cli::CodeMeaning(e);
    std::fprintf(stderr, "lufio: %s (code %lu%s%s)\n", e.GetText(), code, meaning.empty() ? "" : ": ", meaning.c_str());
  } catch (const lufio_cli::Interrupted&) {
    std::fputs("lufio: interrupted\n", stderr);
    return lufio_cli::kExitInterrupted;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lufio: %s\n", e.what());
  } catch (...) {
    std::fputs("lufio: unexpected failure\n", stderr);
  }
  return lufio_cli::kExitFailure;
}
