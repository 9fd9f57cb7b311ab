// lufio bench: times every back-end over data the command makes itself in a
// temporary folder, and prints one table.
//
// Each measurement is one whole pass (open, transfer, close) timed with
// std::chrono::steady_clock, run kRuns times; the table shows the median.
// Reads come from the page cache (the data was just written), and plain
// writes end at Close, not on the disk: the figures compare the back-ends'
// own costs. A safe save ends when it has taken the target's place, stored
// on the disk (save) or not (nosync): beside write, what safety costs.
#include <lufio/lufio.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "file_system.h"
#include "interrupt.h"
#include "progress.h"

namespace lufio_cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using lufio::FileHandler;

constexpr std::size_t kPiece = 1 << 20;
constexpr std::size_t kSmall = 64;
constexpr std::uint64_t kSmallMax = 4 << 20;  // bytes read in 64-byte pieces, at most
constexpr std::uint64_t kTextMax = 4 << 20;   // size of the line file, at most
constexpr lusys::Long kLineBuffer = 4096;
constexpr int kEntries = kBenchEntries;
constexpr int kRuns = kBenchRuns;

// A new folder under `parent` (the system's temporary folder when empty),
// removed with everything in it when this object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& parent) {
    const fs::path base = parent.empty() ? fs::temp_directory_path() : NativePath(parent);
    std::mt19937_64 random(std::random_device{}() ^
                           static_cast<std::uint64_t>(Clock::now().time_since_epoch().count()));
    for (int attempt = 0; path_.empty(); ++attempt) {
      char name[40];
      std::snprintf(name, sizeof(name), "lufio-bench-%08llx", static_cast<unsigned long long>(random() >> 32));
      if (fs::create_directory(base / name)) {
        path_ = base / name;
      } else if (attempt == 100) {
        throw std::runtime_error("cannot make a temporary folder in " + NarrowName(base));
      }
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }

  // The name of `name` inside the folder, as the library takes names.
  std::string operator/(const char* name) const { return NarrowName(path_ / name); }

 private:
  fs::path path_;
};

// What the measurements work on.
struct Data {
  std::string bulk, scratch, text, entries;
  std::uint64_t bulk_bytes = 0;
  std::uint64_t small_bytes = 0;
  std::uint64_t lines = 0;
};

lusys::CPPathFile Path(const std::string& name) { return lusys::CPPathFile(name.c_str()); }

// A failed check of what a measurement did: the number would mean nothing.
void Expect(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("bench: ") + what + " came out wrong");
}

// Writes `data` as the whole content of `file`.
void WriteAll(const std::string& file, const std::string& data) {
  lufio::FileW out(Path(file), FileHandler::TypeBinary, lufio::StdioHandlerFactory());
  Expect(out.Write(lusys::BasicRef<const char>(data.data(), data.size())) == data.size(), "writing the data");
  out.Close();
}

// The bulk file: `mib` MiB of a byte pattern.
void MakeBulk(const std::string& file, long mib) {
  std::string piece(kPiece, '\0');
  for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = static_cast<char>(i * 131 + 7);
  lufio::FileW out(Path(file), FileHandler::TypeBinary, lufio::StdioHandlerFactory());
  for (long i = 0; i < mib; ++i) {
    ThrowIfInterrupted();
    Expect(out.Write(lusys::BasicRef<const char>(piece.data(), piece.size())) == piece.size(), "writing the data");
  }
  out.Close();
}

// Lines of 0 to 159 characters, and every 997th of 6000 (more than the line
// buffer, so it comes in pieces); returns the line count.
std::uint64_t MakeText(const std::string& file, std::uint64_t bytes) {
  std::string text;
  std::uint64_t lines = 0;
  for (unsigned i = 0; text.size() < bytes; ++i, ++lines) {
    text.append(i % 997 == 996 ? 6000 : (i * 37) % 160, static_cast<char>('a' + i % 26));
    text += '\n';
  }
  WriteAll(file, text);
  return lines;
}

void MakeEntries(const std::string& dir) {
  fs::create_directory(NativePath(dir));
  const lusys::CPPath folder(dir.c_str());
  for (int i = 0; i < kEntries; ++i) {
    if (i % 256 == 0) ThrowIfInterrupted();
    char name[32];
    std::snprintf(name, sizeof(name), "entry-%05d", i);
    lufio::FileW entry(lusys::CPPathFile(folder, lusys::CStrRef(name)), FileHandler::TypeBinary,
                       lufio::StdioHandlerFactory());
    entry.Close();
  }
}

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// ---- the measurements: each one pass, returning its seconds -------------------------------------

double BulkRead(const Data& data, const lufio::FileHandlerFactory& backend) {
  std::vector<char> buffer(kPiece);
  const Clock::time_point start = Clock::now();
  lufio::FileR in(Path(data.bulk), FileHandler::TypeBinary, backend);
  std::uint64_t total = 0;
  while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size()))) total += n;
  in.Close();
  const double seconds = Since(start);
  Expect(total == data.bulk_bytes, "bulk read");
  return seconds;
}

// Writes as many bytes as the bulk file holds to `out` in 1 MiB pieces;
// returns the count it took.
template <class File>
std::uint64_t Fill(File& out, const Data& data) {
  static const std::vector<char> buffer(kPiece, 'w');
  std::uint64_t total = 0;
  for (std::uint64_t done = 0; done < data.bulk_bytes; done += kPiece) {
    total += out.Write(lusys::BasicRef<const char>(buffer.data(), buffer.size()));
  }
  return total;
}

double BulkWrite(const Data& data, const lufio::FileHandlerFactory& backend) {
  const Clock::time_point start = Clock::now();
  lufio::FileW out(Path(data.scratch), FileHandler::TypeBinary, backend);
  const std::uint64_t total = Fill(out, data);
  out.Close();
  const double seconds = Since(start);
  Expect(total == data.bulk_bytes, "bulk write");
  return seconds;
}

// The same as a safe save over the last one, stored on the disk when `durable`.
double BulkSave(const Data& data, const lufio::FileHandlerFactory& backend, bool durable) {
  const Clock::time_point start = Clock::now();
  lufio::SafeFileW out(Path(data.scratch), FileHandler::TypeBinary, backend);
  const std::uint64_t total = Fill(out, data);
  durable ? out.Commit() : out.CommitNotDurable();
  const double seconds = Since(start);
  Expect(total == data.bulk_bytes, "safe save");
  return seconds;
}

double SmallReads(const Data& data, const lufio::FileHandlerFactory& backend) {
  char buffer[kSmall];
  const Clock::time_point start = Clock::now();
  lufio::FileR in(Path(data.bulk), FileHandler::TypeBinary, backend);
  std::uint64_t total = 0;
  while (total < data.small_bytes) {
    const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer, kSmall));
    if (n == 0) break;
    total += n;
  }
  in.Close();
  const double seconds = Since(start);
  Expect(total == data.small_bytes, "64-byte reads");
  return seconds;
}

double Lines(const Data& data, const lufio::FileHandlerFactory& backend) {
  std::vector<char> buffer(kLineBuffer);
  const Clock::time_point start = Clock::now();
  lufio::TextFileR in(Path(data.text), backend);
  std::uint64_t lines = 0;
  bool complete = false;
  while (in.GetLine(buffer.data(), kLineBuffer, complete)) lines += complete ? 1 : 0;
  in.Close();
  const double seconds = Since(start);
  Expect(lines == data.lines, "line reading");
  return seconds;
}

double Listing(const Data& data) {
  const Clock::time_point start = Clock::now();
  lufio::DirReader reader(lusys::CPPath(data.entries.c_str()), lufio::DirReader::FilterAll);
  int entries = 0;
  for (const lufio::DirEntry* entry = reader.GetFirst(); entry != nullptr; entry = reader.GetNext()) ++entries;
  const double seconds = Since(start);
  Expect(entries == kEntries, "listing");
  return seconds;
}

// ---- running and printing -----------------------------------------------------------------------

// Runs each measurement kRuns times, moving the progress bar one step a run.
class Runner {
 public:
  explicit Runner(Progress& progress) : progress_(progress) {}

  // The median seconds of kRuns runs of `measure`.
  template <class Measure>
  double Median(const std::string& label, Measure measure) {
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
      ThrowIfInterrupted();
      progress_.Update(step_, label.c_str());
      seconds.push_back(measure());
      ++step_;
    }
    std::sort(seconds.begin(), seconds.end());
    return std::max(seconds[kRuns / 2], 1e-9);  // a clock too coarse to see the run must not divide by 0
  }

  // Steps before the measurements: making the data.
  static constexpr int kDataSteps = 3;
  static constexpr int Steps(int backends) { return kDataSteps + (backends * 6 + 1) * kRuns; }

  // Shows `label` for a step of making the data, counted as done at once.
  void Step(const char* label) { progress_.Update(step_++, label); }

 private:
  Progress& progress_;
  std::uint64_t step_ = 0;
};

struct Row {
  const char* name;
  double read, write, save, save_nosync, small, lines, entries;  // per second; negative: not measured
};

void PrintCell(double value, const char* format) {
  if (value < 0) {
    std::printf("%13s", "-");
  } else {
    std::printf(format, value);
  }
}

void PrintTable(const BenchOptions& options, const Data& data, const std::vector<Row>& rows) {
  std::printf(
      "lufio bench: %ld MiB in 1 MiB pieces, 64-byte reads over %llu MiB, %llu lines (4096-byte buffer), "
      "%d entries; median of %d runs\n",
      options.size_mib, static_cast<unsigned long long>(data.small_bytes >> 20),
      static_cast<unsigned long long>(data.lines), kEntries, kRuns);
  std::printf("%-10s%13s%13s%13s%13s%13s%13s%13s\n", "backend", "read MB/s", "write MB/s", "save MB/s",
              "nosync MB/s", "read64 MB/s", "lines/s", "entries/s");
  for (const Row& row : rows) {
    std::printf("%-10s", row.name);
    PrintCell(row.read, "%13.1f");
    PrintCell(row.write, "%13.1f");
    PrintCell(row.save, "%13.1f");
    PrintCell(row.save_nosync, "%13.1f");
    PrintCell(row.small, "%13.1f");
    PrintCell(row.lines, "%13.0f");
    PrintCell(row.entries, "%13.0f");
    std::printf("\n");
  }
}

}  // namespace

void Bench(const BenchOptions& options, bool show_progress) {
  const InterruptScope interrupt_scope(InterruptScope::kAtCheckpoints);
  const TempFolder folder(options.dir);
  Progress progress(Runner::Steps(static_cast<int>(Backends().size())), show_progress);
  Runner runner(progress);

  Data data;
  data.bulk = folder / "bulk.bin";
  data.scratch = folder / "write.bin";
  data.text = folder / "lines.txt";
  data.entries = folder / "entries";
  data.bulk_bytes = static_cast<std::uint64_t>(options.size_mib) * kPiece;
  data.small_bytes = std::min(data.bulk_bytes, kSmallMax);
  WorkThrough(FindBackend("stdio"));  // makes the data
  runner.Step("making the bulk file");
  MakeBulk(data.bulk, options.size_mib);
  runner.Step("making the line file");
  data.lines = MakeText(data.text, std::min(data.bulk_bytes, kTextMax));
  runner.Step("making the directory entries");
  MakeEntries(data.entries);

  std::vector<Row> rows;
  for (const Backend& backend : Backends()) {
    WorkThrough(backend);
    const lufio::FileHandlerFactory& factory = *backend.factory;
    const std::string name = backend.name;
    const double mb = static_cast<double>(data.bulk_bytes) / 1e6;
    Row row{backend.name, -1, -1, -1, -1, -1, -1, -1};
    row.write = mb / runner.Median(name + ": bulk write", [&] { return BulkWrite(data, factory); });
    row.save = mb / runner.Median(name + ": safe save", [&] { return BulkSave(data, factory, true); });
    row.save_nosync = mb / runner.Median(name + ": save, no sync", [&] { return BulkSave(data, factory, false); });
    row.read = mb / runner.Median(name + ": bulk read", [&] { return BulkRead(data, factory); });
    row.small = static_cast<double>(data.small_bytes) / 1e6 /
                runner.Median(name + ": 64-byte reads", [&] { return SmallReads(data, factory); });
    row.lines = static_cast<double>(data.lines) / runner.Median(name + ": lines", [&] { return Lines(data, factory); });
    rows.push_back(row);
  }
  Row listing{"DirReader", -1, -1, -1, -1, -1, -1, -1};
  listing.entries = kEntries / runner.Median("directory listing", [&] { return Listing(data); });
  rows.push_back(listing);

  progress.Clear();
  PrintTable(options, data, rows);
}

}  // namespace lufio_cli
