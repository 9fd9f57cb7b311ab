// Feeds fuzzer-made writes to the two fixed-capacity streams and to a
// zero-terminating stream over a caller's buffer, and checks them against a
// growing std::string cut to each one's capacity. A copy taken halfway must
// go on independently of its source.
//
// Input: the first byte is the caller's buffer size (0 to 255); then pieces,
// each a length byte followed by that many bytes.
#include <lusys/lusys.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

template <class Stream>
void CheckCStr(const Stream& s, const std::string& model) {
  const std::string expect = model.substr(0, 260);
  Check(std::memcmp(s.Get(), expect.data(), expect.size()) == 0 && s.Get()[expect.size()] == '\0');
}

void CheckBuf(const lusys::BufOStream<260, char>& s, const std::string& model) {
  const std::string expect = model.substr(0, 260);
  Check(s.Get().Length() == expect.size() && std::memcmp(s.Get().Data(), expect.data(), expect.size()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  if (length == 0) return 0;
  const std::size_t view = data[0];
  char guarded[256 + 8];
  std::memset(guarded, 0x5A, sizeof(guarded));

  std::string model, copy_model;
  lusys::CStrOStream<260, char> cstr;
  lusys::BufOStream<260, char> buf;
  lusys::CStrOStream<260, char> cstr_copy;
  lusys::BufOStream<260, char> buf_copy;
  {
    lusys::BasicCStrRefOStream<char> ref(lusys::BasicRef<char>(guarded, view));
    std::size_t i = 1;
    bool copied = false;
    while (i < length) {
      const std::size_t n = std::min<std::size_t>(data[i], length - i - 1);
      const lusys::BasicRef<const char> piece(reinterpret_cast<const char*>(data) + i + 1, n);
      i += 1 + n;
      cstr.Write(piece);
      buf.Write(piece);
      ref.Write(piece);
      model.append(piece.Data(), n);
      if (copied) {
        cstr_copy.Write(lusys::Literal("#"));
        buf_copy.Write(lusys::Literal("#"));
        copy_model += '#';
      } else if (model.size() > 100) {
        cstr_copy = cstr;
        buf_copy = buf;
        copy_model = model.substr(0, 260);
        copied = true;
      }
    }
  }
  CheckCStr(cstr, model);
  CheckBuf(buf, model);
  CheckCStr(cstr_copy, copy_model);
  CheckBuf(buf_copy, copy_model);
  if (view != 0) {
    const std::string expect = model.substr(0, view - 1);
    Check(std::memcmp(guarded, expect.data(), expect.size()) == 0 && guarded[expect.size()] == '\0');
  }
  for (std::size_t k = view; k < sizeof(guarded); ++k) Check(guarded[k] == 0x5A);
  return 0;
}
