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

// What the fake handlers of one factory share: the file's bytes, the call
// log, and switches that make operations fail.
struct FakeFile {
  std::string data;
  std::vector<std::string> calls;
  int creates = 0;
  bool open_result = true;
  bool throw_on_close = false;
  bool touch_memory = true;                        // false: read and write report counts only
  std::uint64_t max_transfer = ~std::uint64_t{0};  // cap per read or write call
  FileHandler::Mode opened_mode = FileHandler::ModeRead;
  FileHandler::Type opened_type = FileHandler::TypeBinary;
  const FileHandler* last_handler = nullptr;

  int Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const std::string& c) { return c.compare(0, prefix.size(), prefix) == 0; }));
  }
};

class FakeHandler : public FileHandler {
 public:
  FakeHandler(const lusys::CPPathFileBase& path, FakeFile& file) : FileHandler(path), file_(file) {
    file_.last_handler = this;
  }

 private:
  using Long = lusys::Long;

  Long tell() override {
    file_.calls.push_back("tell");
    return pos_;
  }
  Long seek(Long offset, Whence whence) override {
    file_.calls.push_back("seek(" + std::to_string(offset) + "," + std::to_string(whence) + ")");
    const Long base = whence == WhenceCurrent ? pos_ : whence == WhenceEnd ? static_cast<Long>(file_.data.size()) : 0;
    pos_ = base + offset;
    return pos_;
  }
  void flush() override { file_.calls.push_back("flush"); }
  bool open(Mode mode, Type type) override {
    file_.calls.push_back("open");
    file_.opened_mode = mode;
    file_.opened_type = type;
    return file_.open_result;
  }
  void close() override {
    file_.calls.push_back("close");
    if (file_.throw_on_close) throw Error(lusys::Literal("Failed to flush buffer"), GetFileName(), 28);
  }
  std::uint64_t read(char* buffer, Long size) override {
    file_.calls.push_back("read(" + std::to_string(size) + ")");
    if (!file_.touch_memory) return std::min<std::uint64_t>(static_cast<std::uint64_t>(size), file_.max_transfer);
    const std::uint64_t left = pos_ < static_cast<Long>(file_.data.size()) ? file_.data.size() - pos_ : 0;
    const std::uint64_t n = std::min({static_cast<std::uint64_t>(size), left, file_.max_transfer});
    std::memcpy(buffer, file_.data.data() + pos_, n);
    pos_ += static_cast<Long>(n);
    return n;
  }
  std::uint64_t write(const char* data, Long size) override {
    file_.calls.push_back("write(" + std::to_string(size) + ")");
    const std::uint64_t n = std::min(static_cast<std::uint64_t>(size), file_.max_transfer);
    if (!file_.touch_memory) return n;
    if (file_.data.size() < pos_ + n) file_.data.resize(pos_ + n);
    file_.data.replace(pos_, n, data, n);
    pos_ += static_cast<Long>(n);
    return n;
  }

  FakeFile& file_;
  Long pos_ = 0;
};

class FakeFactory : public FileHandlerFactory {
 public:
  explicit FakeFactory(FakeFile& file) : file_(file) {}
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override {
    ++file_.creates;
    return std::make_unique<FakeHandler>(path, file_);
  }

 private:
  FakeFile& file_;
};

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_FAKE_HANDLER_H_
