// Pairs every lufio operation with the raw call it wraps, in the same binary,
// and prints the ratio of library time to raw time for each pair.
//
// Files live in a temporary folder and are read once before timing, so reads
// come from the page cache. Each benchmark runs five times by default
// (--benchmark_repetitions overrides it) and the ratios use the fastest run
// of each side: on a shared or virtual machine the slow runs are noise.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <lufio/lufio.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using lufio::FileHandler;

constexpr std::size_t kBulkFile = 64u << 20;  // 64 MiB
constexpr std::size_t kPiece = 1u << 20;      // 1 MiB
constexpr std::size_t kSmall = 64;
constexpr std::size_t kLineBuffer = 4096;
constexpr int kDirEntries = 20000;
// The tree to walk: 50 folders of 10 folders of 100 files, 50,550 entries.
constexpr int kTreeFolders = 50, kTreeSubfolders = 10, kTreeFiles = 100;

// The folder and files that every benchmark uses, made once.
class Data {
 public:
  static Data& Get() {
    static Data data;
    return data;
  }
  ~Data() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const std::string& bulk() const { return bulk_; }
  const std::string& text() const { return text_; }
  const std::string& dir() const { return dir_; }
  std::string Scratch(const std::string& name) const { return (fs::path(root_) / name).string(); }
  // A file of `size` bytes for the whole-file reads, made (and read once) on
  // first use, so that a run that filters them out makes no 256 MiB file.
  const std::string& Whole(std::size_t size) {
    std::string& name = whole_[size];
    if (name.empty()) {
      name = Scratch("whole-" + std::to_string(size));
      const std::string bytes(size, 'w');
      std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      Warm(name);
    }
    return name;
  }

 private:
  Data() {
    root_ = (fs::temp_directory_path() / ("lufio-bench-" + std::to_string(::getpid()))).string();
    fs::create_directories(root_);
    bulk_ = Scratch("bulk.bin");
    std::string bytes(kBulkFile, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + 7);
    std::ofstream(bulk_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    // Lines of 1 to 160 characters, 4 MiB in all.
    text_ = Scratch("lines.txt");
    std::string lines;
    for (unsigned i = 0; lines.size() < (4u << 20); ++i) lines += std::string(1 + (i * 37) % 160, 'a' + i % 26) + '\n';
    std::ofstream(text_, std::ios::binary).write(lines.data(), static_cast<std::streamsize>(lines.size()));

    dir_ = Scratch("dir");
    fs::create_directories(dir_);
    for (int i = 0; i < kDirEntries; ++i) std::ofstream((fs::path(dir_) / ("entry" + std::to_string(i))).string());

    Warm(bulk_);
    Warm(text_);
  }

  static void Warm(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::vector<char> buffer(kPiece);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
    }
  }

  std::string root_, bulk_, text_, dir_;
  std::map<std::size_t, std::string> whole_;
};

// The tree to walk, made the first time a walk is measured, beside the rest,
// and stored and walked once before timing: neither side meets the writeback
// of its creation or a cold cache.
const std::string& Tree() {
  static const std::string tree = [] {
    const std::string root = Data::Get().Scratch("tree");
    for (int i = 0; i < kTreeFolders; ++i) {
      for (int j = 0; j < kTreeSubfolders; ++j) {
        const fs::path folder = fs::path(root) / ("folder" + std::to_string(i)) / ("sub" + std::to_string(j));
        fs::create_directories(folder);
        for (int k = 0; k < kTreeFiles; ++k) std::ofstream((folder / ("file" + std::to_string(k))).string()) << k;
      }
    }
    ::sync();
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root))
      benchmark::DoNotOptimize(e.is_directory());
    return root;
  }();
  return tree;
}

const lufio::FileHandlerFactory& Factory(const std::string& name) {
  static const lufio::WinHandlerFactory win;
  static const lufio::CrtHandlerFactory crt;
  static const lufio::StdioHandlerFactory stdio;
  static const lufio::IosHandlerFactory ios;
  if (name == "win") return win;
  if (name == "crt") return crt;
  if (name == "ios") return ios;
  return stdio;
}

lusys::CPPathFile Path(const std::string& name) { return lusys::CPPathFile(name.c_str()); }

// ---- lufio --------------------------------------------------------------------------------------

void LibBulkRead(benchmark::State& state, const std::string& backend) {
  lufio::FileR in(Path(Data::Get().bulk()), FileHandler::TypeBinary, Factory(backend));
  std::vector<char> buffer(kPiece);
  for (auto _ : state) {
    in.Seek2Begin();
    while (in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size())) != 0) {
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void LibBulkWrite(benchmark::State& state, const std::string& backend) {
  lufio::FileW out(Path(Data::Get().Scratch("write-" + backend)), FileHandler::TypeBinary, Factory(backend));
  std::vector<char> buffer(kPiece, 'w');
  for (auto _ : state) {
    out.Seek2Begin();
    for (std::size_t done = 0; done < kBulkFile; done += kPiece) {
      out.Write(lusys::BasicRef<const char>(buffer.data(), buffer.size()));
    }
    // The buffered back-ends hand their buffer to the system, as the raw
    // calls do; the others have no buffer, and their Flush forces the data
    // to the device, which the raw write does not.
    if (backend == "stdio" || backend == "ios") out.Flush();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void LibSmallRead(benchmark::State& state, const std::string& backend) {
  lufio::FileR in(Path(Data::Get().bulk()), FileHandler::TypeBinary, Factory(backend));
  char buffer[kSmall];
  for (auto _ : state) {
    if (in.Read(lusys::BasicRef<char>(buffer, kSmall)) == 0) in.Seek2Begin();
  }
}

void LibLines(benchmark::State& state, const std::string& backend) {
  lufio::TextFileR in(Path(Data::Get().text()), Factory(backend));
  std::vector<char> buffer(kLineBuffer);
  std::int64_t lines = 0;
  for (auto _ : state) {
    in.Seek2Begin();
    bool complete = false;
    while (in.GetLine(buffer.data(), static_cast<lusys::Long>(buffer.size()), complete)) ++lines;
  }
  state.SetItemsProcessed(lines);
}

void LibWholeRead(benchmark::State& state, const std::string& backend, std::size_t size) {
  const lusys::CPPathFile path = Path(Data::Get().Whole(size));
  for (auto _ : state) {
    const std::string all = lufio::WholeFile::Read(path, FileHandler::TypeBinary, Factory(backend));
    benchmark::DoNotOptimize(all.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void LibList(benchmark::State& state) {
  std::int64_t entries = 0;
  for (auto _ : state) {
    lufio::DirReader reader(lusys::CPPath(Data::Get().dir().c_str()), lufio::DirReader::FilterAll);
    for (const lufio::DirEntry* e = reader.GetFirst(); e != nullptr; e = reader.GetNext()) ++entries;
  }
  state.SetItemsProcessed(entries);
}

void LibWalk(benchmark::State& state) {
  std::int64_t entries = 0;
  for (auto _ : state) {
    lufio::DirTreeReader walk(lusys::CPPath(Tree().c_str()), lufio::DirReader::FilterAll);
    for (const lufio::DirTreeEntry* e = walk.GetFirst(); e != nullptr; e = walk.GetNext()) ++entries;
  }
  state.SetItemsProcessed(entries);
}

// ---- raw calls ----------------------------------------------------------------------------------

// Descriptor calls: what the win and crt back-ends make underneath.
void RawFdBulkRead(benchmark::State& state) {
  const int fd = ::open(Data::Get().bulk().c_str(), O_RDONLY | O_CLOEXEC);
  std::vector<char> buffer(kPiece);
  for (auto _ : state) {
    ::lseek(fd, 0, SEEK_SET);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
  }
  ::close(fd);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void RawFdBulkWrite(benchmark::State& state) {
  const int fd = ::open(Data::Get().Scratch("write-raw-fd").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  std::vector<char> buffer(kPiece, 'w');
  for (auto _ : state) {
    ::lseek(fd, 0, SEEK_SET);
    for (std::size_t done = 0; done < kBulkFile; done += kPiece)
      benchmark::DoNotOptimize(::write(fd, buffer.data(), kPiece));
  }
  ::close(fd);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void RawFdSmallRead(benchmark::State& state) {
  const int fd = ::open(Data::Get().bulk().c_str(), O_RDONLY | O_CLOEXEC);
  char buffer[kSmall];
  for (auto _ : state) {
    if (::read(fd, buffer, kSmall) == 0) ::lseek(fd, 0, SEEK_SET);
  }
  ::close(fd);
}

// The default line reader's system calls made by hand: where am I, read the
// buffer, back to the line feed, read it.
void RawFdLines(benchmark::State& state) {
  const int fd = ::open(Data::Get().text().c_str(), O_RDONLY | O_CLOEXEC);
  std::vector<char> buffer(kLineBuffer);
  std::int64_t lines = 0;
  for (auto _ : state) {
    ::lseek(fd, 0, SEEK_SET);
    for (;;) {
      const off_t start = ::lseek(fd, 0, SEEK_CUR);
      const ssize_t n = ::read(fd, buffer.data(), buffer.size());
      if (n <= 0) break;
      const void* feed = std::memchr(buffer.data(), '\n', static_cast<std::size_t>(n));
      if (feed != nullptr) {
        const off_t index = static_cast<const char*>(feed) - buffer.data();
        ::lseek(fd, start + index, SEEK_SET);
        benchmark::DoNotOptimize(::read(fd, buffer.data() + index, 1));
      }
      ++lines;
    }
  }
  ::close(fd);
  state.SetItemsProcessed(lines);
}

void RawStdioBulkRead(benchmark::State& state) {
  std::FILE* f = std::fopen(Data::Get().bulk().c_str(), "rb");
  std::vector<char> buffer(kPiece);
  for (auto _ : state) {
    std::fseek(f, 0, SEEK_SET);
    while (std::fread(buffer.data(), 1, buffer.size(), f) != 0) {
    }
  }
  std::fclose(f);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void RawStdioBulkWrite(benchmark::State& state) {
  std::FILE* f = std::fopen(Data::Get().Scratch("write-raw-stdio").c_str(), "wb");
  std::vector<char> buffer(kPiece, 'w');
  for (auto _ : state) {
    std::fseek(f, 0, SEEK_SET);
    for (std::size_t done = 0; done < kBulkFile; done += kPiece) std::fwrite(buffer.data(), 1, kPiece, f);
    std::fflush(f);
  }
  std::fclose(f);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void RawStdioSmallRead(benchmark::State& state) {
  std::FILE* f = std::fopen(Data::Get().bulk().c_str(), "rb");
  char buffer[kSmall];
  for (auto _ : state) {
    if (std::fread(buffer, 1, kSmall, f) == 0) std::fseek(f, 0, SEEK_SET);
  }
  std::fclose(f);
}

void RawStdioLines(benchmark::State& state) {
  std::FILE* f = std::fopen(Data::Get().text().c_str(), "r");
  std::vector<char> buffer(kLineBuffer);
  std::int64_t lines = 0;
  for (auto _ : state) {
    std::fseek(f, 0, SEEK_SET);
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), f) != nullptr) ++lines;
  }
  std::fclose(f);
  state.SetItemsProcessed(lines);
}

void RawIosBulkRead(benchmark::State& state) {
  std::ifstream in(Data::Get().bulk(), std::ios::binary);
  std::vector<char> buffer(kPiece);
  for (auto _ : state) {
    in.clear();
    in.seekg(0);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void RawIosBulkWrite(benchmark::State& state) {
  std::ofstream out(Data::Get().Scratch("write-raw-ios"), std::ios::binary);
  std::vector<char> buffer(kPiece, 'w');
  for (auto _ : state) {
    out.seekp(0);
    for (std::size_t done = 0; done < kBulkFile; done += kPiece) out.write(buffer.data(), kPiece);
    out.flush();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkFile));
}

void RawIosSmallRead(benchmark::State& state) {
  std::ifstream in(Data::Get().bulk(), std::ios::binary);
  char buffer[kSmall];
  for (auto _ : state) {
    if (!in.read(buffer, kSmall)) {
      in.clear();
      in.seekg(0);
    }
  }
}

void RawIosLines(benchmark::State& state) {
  std::ifstream in(Data::Get().text());
  std::vector<char> buffer(kLineBuffer);
  std::int64_t lines = 0;
  for (auto _ : state) {
    in.clear();
    in.seekg(0);
    while (in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()))) ++lines;
  }
  state.SetItemsProcessed(lines);
}

// The same information as a DirReader listing: every name and its status.
void RawReaddirList(benchmark::State& state) {
  std::int64_t entries = 0;
  for (auto _ : state) {
    DIR* dir = ::opendir(Data::Get().dir().c_str());
    struct stat st;
    while (const dirent* e = ::readdir(dir)) {
      if (::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0) ++entries;
    }
    ::closedir(dir);
  }
  state.SetItemsProcessed(entries);
}

// The same as a DirTreeReader walk, by hand: a stack of open folders, each
// entry's status (the link itself, as the walk gives it), each folder entered
// as it is met through its parent's descriptor.
void RawReaddirWalk(benchmark::State& state) {
  std::int64_t entries = 0;
  for (auto _ : state) {
    std::vector<DIR*> stack{::opendir(Tree().c_str())};
    while (!stack.empty()) {
      const dirent* e = ::readdir(stack.back());
      if (e == nullptr) {
        ::closedir(stack.back());
        stack.pop_back();
        continue;
      }
      if (e->d_name[0] == '.' && (e->d_name[1] == '\0' || (e->d_name[1] == '.' && e->d_name[2] == '\0'))) continue;
      struct stat st;
      const int parent = ::dirfd(stack.back());
      if (::fstatat(parent, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      ++entries;
      if (S_ISDIR(st.st_mode)) {
        const int fd = ::openat(parent, e->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd)) stack.push_back(dir);
      }
    }
  }
  state.SetItemsProcessed(entries);
}

void RawFilesystemList(benchmark::State& state) {
  std::int64_t entries = 0;
  for (auto _ : state) {
    for (const fs::directory_entry& e : fs::directory_iterator(Data::Get().dir())) {
      benchmark::DoNotOptimize(e.last_write_time());
      ++entries;
    }
  }
  state.SetItemsProcessed(entries);
}

// A whole file as one writes it by hand: open, fstat, read into a string of
// that size, and read on until a read returns 0 (a file may grow after the
// fstat, and a short read is no end), close.
void RawWholeRead(benchmark::State& state, std::size_t size) {
  const std::string& name = Data::Get().Whole(size);
  for (auto _ : state) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    ::fstat(fd, &info);
    std::string all(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t have = 0;
    while (have < all.size()) {
      const ssize_t n = ::read(fd, &all[have], all.size() - have);
      if (n <= 0) break;
      have += static_cast<std::size_t>(n);
    }
    all.resize(have);
    char more[16384];
    for (ssize_t n; (n = ::read(fd, more, sizeof(more))) > 0;) all.append(more, static_cast<std::size_t>(n));
    ::close(fd);
    benchmark::DoNotOptimize(all.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// ---- registration and the ratio table -------------------------------------------------------------

struct Pair {
  std::string name;  // "<backend>/<operation>"
  std::function<void(benchmark::State&)> lib, raw;
};

std::vector<Pair> Pairs() {
  std::vector<Pair> pairs;
  const std::map<std::string, std::vector<void (*)(benchmark::State&)>> raw{
      {"win", {RawFdBulkRead, RawFdBulkWrite, RawFdSmallRead, RawFdLines}},
      {"crt", {RawFdBulkRead, RawFdBulkWrite, RawFdSmallRead, RawFdLines}},
      {"stdio", {RawStdioBulkRead, RawStdioBulkWrite, RawStdioSmallRead, RawStdioLines}},
      {"ios", {RawIosBulkRead, RawIosBulkWrite, RawIosSmallRead, RawIosLines}},
  };
  const char* ops[] = {"bulk_read", "bulk_write", "read64", "lines"};
  void (*lib[])(benchmark::State&, const std::string&) = {LibBulkRead, LibBulkWrite, LibSmallRead, LibLines};
  for (const char* backend : {"win", "crt", "stdio", "ios"}) {
    for (int op = 0; op < 4; ++op) {
      const std::string b = backend;
      pairs.push_back({b + "/" + ops[op], [=](benchmark::State& s) { lib[op](s, b); }, raw.at(b)[op]});
    }
  }
  // Whole-file reads of 1 KiB, 1 MiB and 256 MiB through each back-end, each
  // against open/fstat/read into a std::string.
  for (const char* backend : {"win", "crt", "stdio", "ios"}) {
    for (const auto& [label, size] : {std::pair{"1KiB", std::size_t{1} << 10}, std::pair{"1MiB", std::size_t{1} << 20},
                                      std::pair{"256MiB", std::size_t{256} << 20}}) {
      const std::string b = backend;
      const std::size_t n = size;
      pairs.push_back({b + "/whole_" + label, [=](benchmark::State& s) { LibWholeRead(s, b, n); },
                       [=](benchmark::State& s) { RawWholeRead(s, n); }});
    }
  }
  pairs.push_back({"dir/list_vs_readdir_fstatat", LibList, RawReaddirList});
  pairs.push_back({"dir/list_vs_directory_iterator", LibList, RawFilesystemList});
  pairs.push_back({"dir/walk_vs_readdir_fstatat", LibWalk, RawReaddirWalk});
  return pairs;
}

// Remembers each benchmark's time (the fastest run when repeated) for the ratio table: real
// time, and the thread's CPU time, which a machine shared with other work disturbs less.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
        fastest_[name] = run.GetAdjustedRealTime();
        fastest_cpu_[name] = run.GetAdjustedCPUTime();
      } else if (run.run_type == Run::RT_Iteration && !fastest_.count(name)) {
        singles_[name] = run.GetAdjustedRealTime();
        singles_cpu_[name] = run.GetAdjustedCPUTime();
      }
    }
  }
  double Time(const std::string& name, bool cpu = false) const {
    if (auto it = (cpu ? fastest_cpu_ : fastest_).find(name); it != (cpu ? fastest_cpu_ : fastest_).end()) {
      return it->second;
    }
    if (auto it = (cpu ? singles_cpu_ : singles_).find(name); it != (cpu ? singles_cpu_ : singles_).end()) {
      return it->second;
    }
    return 0;
  }

 private:
  std::map<std::string, double> fastest_, singles_, fastest_cpu_, singles_cpu_;
};

double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

}  // namespace

int main(int argc, char** argv) {
  // Defaults first, so that the caller's own flags override them.
  std::vector<char*> args{argv[0], const_cast<char*>("--benchmark_repetitions=5"),
                          const_cast<char*>("--benchmark_report_aggregates_only=true")};
  args.insert(args.end(), argv + 1, argv + argc);
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const std::vector<Pair> pairs = Pairs();
  for (const Pair& p : pairs) {
    for (const auto& [side, run] : {std::pair{"lib/", p.lib}, std::pair{"raw/", p.raw}}) {
      benchmark::RegisterBenchmark((side + p.name).c_str(), run)->UseRealTime()->ComputeStatistics("min", Fastest);
    }
  }
  Data::Get();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\n%-36s %12s %12s %8s %10s\n", "pair", "lufio", "raw", "ratio", "cpu ratio");
  for (const Pair& p : pairs) {
    const double lib = reporter.Time("lib/" + p.name), raw = reporter.Time("raw/" + p.name);
    if (lib == 0 || raw == 0) continue;
    const double lib_cpu = reporter.Time("lib/" + p.name, true), raw_cpu = reporter.Time("raw/" + p.name, true);
    std::printf("%-36s %12.0f %12.0f %8.3f %10.3f\n", p.name.c_str(), lib, raw, lib / raw,
                raw_cpu > 0 ? lib_cpu / raw_cpu : 0.0);
  }
  benchmark::Shutdown();
  return 0;
}
