// An in-memory handler that records every virtual call, for testing the rules
// that FileHandler's entry points and the file objects add on top of a
// back-end. It uses FileHandler's own default line reader.
#ifndef LUFIO_TESTS_SUPPORT_FAKE_HANDLER_H_
#define LUFIO_TESTS_SUPPORT_FAKE_HANDLER_H_

#include <lufio/error.h>
#include <lufio/file_handler.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace lufio::test {

// What the fake handlers of one factory share: the file's bytes and offset,
// the call log, and switches that make operations fail.
struct FakeFile {
  std::string data;
  lusys::Long pos = 0;
  std::vector<std::string> calls;
  bool open_result = true, throw_on_close = false;
  bool touch_memory = true;                        // false: read and write report counts only
  std::uint64_t max_transfer = ~std::uint64_t{0};  // cap per read or write call
};

class FakeHandler : public FileHandler {
 public:
  FakeHandler(const lusys::CPPathFileBase& path, FakeFile& file) : FileHandler(path), f_(file) {}

 private:
  using Long = lusys::Long;
  Long Log(const std::string& call, Long result = 0) {
    f_.calls.push_back(call);
    return result;
  }
  Long tell() override { return Log("tell", f_.pos); }
  Long seek(Long offset, Whence whence) override {
    const Long base = whence == WhenceCurrent ? f_.pos : whence == WhenceEnd ? static_cast<Long>(f_.data.size()) : 0;
    return Log("seek(" + std::to_string(offset) + "," + std::to_string(whence) + ")", f_.pos = base + offset);
  }
  void flush() override { Log("flush"); }
  bool open(Mode mode, Type type) override {
    return Log("open(" + std::to_string(mode) + "," + std::to_string(type) + ")", f_.open_result);
  }
  void close() override {
    Log("close");
    if (f_.throw_on_close) throw Error(lusys::Literal("Failed to flush buffer"), GetFileName(), 28);
  }
  std::uint64_t read(char* buffer, Long size) override {
    const std::uint64_t left = f_.touch_memory ? f_.data.size() - std::min<std::uint64_t>(f_.pos, f_.data.size()) : ~0ull;
    const std::uint64_t n = std::min({static_cast<std::uint64_t>(size), left, f_.max_transfer});
    if (f_.touch_memory) std::memcpy(buffer, f_.data.data() + f_.pos, n);
    return Move("read", size, n);
  }
  std::uint64_t write(const char* data, Long size) override {
    const std::uint64_t n = std::min(static_cast<std::uint64_t>(size), f_.max_transfer);
    if (f_.touch_memory) f_.data.resize(std::max<std::uint64_t>(f_.data.size(), f_.pos + n));
    if (f_.touch_memory) f_.data.replace(f_.pos, n, data, n);
    return Move("write", size, n);
  }
  std::uint64_t Move(const std::string& name, Long size, std::uint64_t n) {
    if (f_.touch_memory) f_.pos += static_cast<Long>(n);
    Log(name + "(" + std::to_string(size) + ")");
    return n;
  }

  FakeFile& f_;
};

class FakeFactory : public FileHandlerFactory {
 public:
  explicit FakeFactory(FakeFile& file) : file_(file) {}
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override {
    return std::make_unique<FakeHandler>(path, file_);
  }

 private:
  FakeFile& file_;
};

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_FAKE_HANDLER_H_
