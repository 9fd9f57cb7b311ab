#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "support/platform_facts.h"

namespace lufio::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::error_code ec;
  do {
    path_ =
        (fs::temp_directory_path() / ("lufio-test-" + std::to_string(stamp) + "-" + std::to_string(serial++))).string();
  } while (!fs::create_directory(path_, ec));
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return (fs::path(path_) / name).string(); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

long OpenDescriptors() {
  std::error_code ec;
  long count = !kOnWindows && fs::exists("/proc/self/fd", ec) ? 0 : -1;  // Wine's own would show
  for (auto it = fs::directory_iterator("/proc/self/fd", ec); count >= 0 && !ec && it != fs::directory_iterator();
       it.increment(ec))
    ++count;
  return count;
}

}  // namespace lufio::test
