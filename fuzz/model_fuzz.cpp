// The model of tests/model/ against every back-end, with the input bytes
// choosing the operations: the first byte picks the back-end, every later
// choice takes one byte (two for choices above 256). A disagreement prints
// the driver's report and aborts.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/model.h"

namespace {

struct Bytes {
  const std::uint8_t* data;
  std::size_t left;
  unsigned Pick(unsigned n) {
    unsigned value = 0;
    for (unsigned range = 1; range < n && left > 0; range <<= 8, --left) value = (value << 8) | *data++;
    return n == 0 ? 0 : value % n;
  }
  bool Done() const { return left == 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/lufio_model_fuzz_" + std::to_string(getpid());
  }();
  Bytes src{data, length};
  const unsigned backend = src.Pick(4);
  lufio::model::Driver<Bytes> driver(lufio::model::FactoryOf(static_cast<int>(backend)), lufio::model::kFacts[backend],
                                     path, src);
  const std::string error = driver.Run(400);
  std::remove(path.c_str());
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", lufio::model::kFacts[backend].name, error.c_str());
    std::abort();
  }
  return 0;
}
