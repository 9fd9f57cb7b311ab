// Builds lufio::Error and lufio::DirReader::Error from fuzzer-made messages
// and paths (zero bytes and overlong texts included) and checks their texts
// against a model of the composition, and that copies report the same.
//
// Input: the first byte splits the rest into the message and the path.
#include <lufio/lufio.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A path that prints its bytes as they are, zero bytes included.
class RawPath : public lusys::CPPathFileBase {
 public:
  explicit RawPath(std::string bytes) : bytes_(std::move(bytes)) {}
  RawPath* Clone() const override { return new RawPath(*this); }
  void Print(lusys::BasicOStream<char>& out) const override {
    out.Write(lusys::BasicRef<const char>(bytes_.data(), bytes_.size()));
  }

 private:
  std::string bytes_;
};

std::string CStr(const std::string& s) { return s.substr(0, s.find('\0')); }

// The base text: the message, the separator, then the path, in a 256-byte
// buffer that always keeps its terminating zero.
std::string ExpectedText(const std::string& message, const char* separator, const std::string& path) {
  std::string text = CStr(message.substr(0, 255));
  text = (text + separator).substr(0, 255);
  text += path.substr(0, 255 - text.size());
  return CStr(text);
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  if (length == 0) return 0;
  const std::size_t split = std::min<std::size_t>(data[0] * 2u, length - 1);
  const std::string message(reinterpret_cast<const char*>(data) + 1, split);
  const std::string path(reinterpret_cast<const char*>(data) + 1 + split, length - 1 - split);
  const lusys::BasicRef<const char> message_ref(message.data(), message.size());

  const lufio::Error e(message_ref, RawPath(path), 7);
  Check(std::strcmp(e.what(), "File I/O error") == 0);
  Check(e.GetText() == ExpectedText(message, ": file=", path));
  Check(e.GetFileName() == CStr(path.substr(0, 260)));
  Check(e.GetCode() == 7);
  lufio::Error copy(e);
  Check(std::strcmp(copy.GetText(), e.GetText()) == 0 && std::strcmp(copy.GetFileName(), e.GetFileName()) == 0);
  copy = lufio::Error(lusys::Literal("other"), RawPath("x"), 1);
  copy = e;
  Check(std::strcmp(copy.GetText(), e.GetText()) == 0 && copy.GetCode() == 7);

  const lufio::DirReader::Error d(message_ref, lusys::BasicRef<const char>(path.data(), path.size()), 18);
  Check(std::strcmp(d.what(), "Directory read error") == 0);
  Check(d.GetText() == ExpectedText(message, ": dir=", path));
  Check(d.GetPath() == CStr(path.substr(0, 260)));
  lufio::DirReader::Error dcopy(d);
  Check(std::strcmp(dcopy.GetText(), d.GetText()) == 0 && std::strcmp(dcopy.GetPath(), d.GetPath()) == 0);
  return 0;
}
