// Copies a file through the back-end named on the command line.
//
//   copy_file win|crt|stdio|ios SRC DST
#include <lufio/lufio.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<lufio::FileHandlerFactory> Backend(const char* name) {
  if (std::strcmp(name, "win") == 0) return std::make_unique<lufio::WinHandlerFactory>();
  if (std::strcmp(name, "crt") == 0) return std::make_unique<lufio::CrtHandlerFactory>();
  if (std::strcmp(name, "stdio") == 0) return std::make_unique<lufio::StdioHandlerFactory>();
  if (std::strcmp(name, "ios") == 0) return std::make_unique<lufio::IosHandlerFactory>();
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const auto backend = argc == 4 ? Backend(argv[1]) : nullptr;
  if (!backend) {
    std::fprintf(stderr, "usage: copy_file win|crt|stdio|ios SRC DST\n");
    return 2;
  }
  try {
    lufio::FileR in(lusys::CPPathFile(argv[2]), lufio::FileHandler::TypeBinary, *backend);
    lufio::FileW out(lusys::CPPathFile(argv[3]), lufio::FileHandler::TypeBinary, *backend);
    std::vector<char> buffer(1 << 16);
    std::uint64_t total = 0;
    while (const std::uint64_t n = in.Read(lusys::BasicRef<char>(buffer.data(), buffer.size()))) {
      total += out.Write(lusys::BasicRef<const char>(buffer.data(), n));
    }
    out.Flush();
    out.Close();  // a failure to close shows here, not silently in the destructor
    std::printf("copied %llu bytes with %s\n", static_cast<unsigned long long>(total), argv[1]);
  } catch (const lufio::Error& e) {
    std::fprintf(stderr, "%s (code %lu)\n", e.GetText(), static_cast<unsigned long>(e.GetCode()));
    return 1;
  }
  return 0;
}
