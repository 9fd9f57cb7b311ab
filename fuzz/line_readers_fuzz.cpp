// Runs the three line readers (FileHandler's default reader through the C
// runtime back-end, the stdio reader and the fstream reader) over
// fuzzer-made file contents and buffer sizes, each against a small model of
// its algorithm over the same bytes, and compares every call's result, text
// and `complete` flag.
//
// Input: the first byte picks the buffer size (2 to 65); the rest is the file.
#include <lufio/lufio.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Step {
  bool result;
  std::string text;  // what the caller sees: up to the first zero
  bool complete;
  bool operator==(const Step& o) const { return result == o.result && text == o.text && complete == o.complete; }
};

std::string CStr(const std::string& s) { return s.substr(0, s.find('\0')); }

// Models of the three readers: each call returns the step and moves `pos`.
class Model {
 public:
  Model(std::string data, std::size_t size) : data_(std::move(data)), size_(size) {}

  Step Default() {
    const std::size_t count = std::min(size_, data_.size() - pos_);
    if (count == 0) return {false, "", complete_};
    const std::size_t feed = data_.find('\n', pos_);
    if (feed != std::string::npos && feed < pos_ + count) {
      const std::string line = data_.substr(pos_, feed - pos_);
      pos_ = feed + 1;
      return Done(line, true);
    }
    if (count < size_) {
      const std::string line = data_.substr(pos_, count);
      pos_ += count;
      return Done(line, true);
    }
    const std::string line = data_.substr(pos_, size_ - 1);
    pos_ += size_ - 1;
    return Done(line, false);
  }

  Step Stdio() {
    if (pos_ >= data_.size()) {
      eof_ = true;
      return {false, "", complete_};
    }
    // fgets: at most size - 1 characters, stopping after a line feed.
    std::size_t n = 0;
    while (n < size_ - 1 && pos_ + n < data_.size()) {
      if (data_[pos_ + n++] == '\n') break;
    }
    const bool hit_end = pos_ + n == data_.size() && n < size_ - 1 && data_[pos_ + n - 1] != '\n';
    if (hit_end) eof_ = true;
    std::string text = CStr(data_.substr(pos_, n));
    pos_ += n;
    if (const std::size_t feed = text.find('\n'); feed != std::string::npos) return Done(text.substr(0, feed), true);
    if (eof_) return Done(text, true);
    if (pos_ >= data_.size()) {
      eof_ = true;
      return Done(text, true);
    }
    if (data_[pos_] == '\n') {
      ++pos_;
      return Done(text, true);
    }
    return Done(text, false);
  }

  Step Ios() {
    std::size_t stored = 0;
    std::size_t p = pos_;
    while (stored + 1 < size_ && p < data_.size() && data_[p] != '\n') {
      ++stored;
      ++p;
    }
    const std::string text = data_.substr(pos_, stored);
    pos_ = p;
    if (p >= data_.size()) {  // end of file
      if (stored == 0) return Set(false, text, true);
      return Set(true, text, true);
    }
    if (data_[p] == '\n') {
      ++pos_;
      return Set(true, text, true);
    }
    return Set(true, text, false);  // the buffer filled first
  }

 private:
  Step Done(const std::string& line, bool complete) {
    complete_ = complete;
    return {true, CStr(line), complete};
  }
  Step Set(bool result, const std::string& line, bool complete) {
    complete_ = complete;
    return {result, CStr(line), complete};
  }

  std::string data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool complete_ = false;  // what the caller's flag holds, for calls that leave it alone
  bool eof_ = false;
};

const std::string& FileName() {
  static const std::string name = [] {
    const auto dir = std::filesystem::temp_directory_path() / ("lufio-fuzz-" + std::to_string(std::rand()));
    std::filesystem::create_directories(dir);
    return (dir / "lines.txt").string();
  }();
  return name;
}

template <class Next>
std::vector<Step> ReadAll(const lufio::FileHandlerFactory& factory, std::size_t size, std::size_t limit, Next) {
  lufio::TextFileR in(lusys::CPPathFile(FileName().c_str()), factory);
  std::vector<Step> steps;
  std::vector<char> buffer(size);
  bool complete = false;
  for (std::size_t i = 0; i < limit; ++i) {
    const bool result = in.GetLine(buffer.data(), static_cast<lusys::Long>(size), complete);
    steps.push_back({result, result ? std::string(buffer.data()) : "", complete});
    if (!result) break;
  }
  return steps;
}

template <class ModelStep>
std::vector<Step> Expect(const std::string& data, std::size_t size, std::size_t limit, ModelStep step) {
  Model model(data, size);
  std::vector<Step> steps;
  for (std::size_t i = 0; i < limit; ++i) {
    Step s = (model.*step)();
    if (!s.result) s.text.clear();
    steps.push_back(s);
    if (!s.result) break;
  }
  return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  if (length == 0) return 0;
  const std::size_t size = 2 + data[0] % 64;
  const std::string content(reinterpret_cast<const char*>(data) + 1, length - 1);
  {
    std::ofstream out(FileName(), std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  const std::size_t limit = content.size() + 3;
  struct Reader {
    const lufio::FileHandlerFactory& factory;
    Step (Model::*model)();
  };
  const lufio::CrtHandlerFactory crt;
  const lufio::StdioHandlerFactory stdio;
  const lufio::IosHandlerFactory ios;
  for (const Reader& r : {Reader{crt, &Model::Default}, Reader{stdio, &Model::Stdio}, Reader{ios, &Model::Ios}}) {
    if (ReadAll(r.factory, size, limit, 0) != Expect(content, size, limit, r.model)) std::abort();
  }
  return 0;
}
