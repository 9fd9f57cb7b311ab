// Shared pieces of the back-end suites: a fixture that opens a back-end's
// handlers in a temporary directory of their own, and checks of the Error
// that each failing operation throws.
#ifndef LUFIO_TESTS_BACKENDS_HANDLER_TEST_UTIL_H_
#define LUFIO_TESTS_BACKENDS_HANDLER_TEST_UTIL_H_

#include <gtest/gtest.h>
#include <lufio/error.h>
#include <lufio/factories.h>
#include <lusys/exception.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "fault.h"
#include "support/handler_peer.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace lufio::test {

using FH = FileHandler;
using Peer = HandlerPeer;

// The system's last error, read as the library reads it.
struct LastErrorProbe : lusys::Exception {
  using lusys::Exception::get_last_error;
};

// Expects `op` to throw Error with `message`, the file `path` and, when given,
// `code`.
template <class Op>
void ExpectError(Op op, const char* message, const std::string& path, std::optional<lusys::ULong> code) {
  try {
    op();
    ADD_FAILURE() << "no Error thrown; expected " << message;
  } catch (const Error& e) {
    EXPECT_EQ(e.GetText(), std::string(message) + ": file=" + path);
    EXPECT_STREQ(e.what(), "File I/O error");
    EXPECT_EQ(e.GetFileName(), path);
    if (code) {
      EXPECT_EQ(e.GetCode(), *code);
    }
  }
}

inline char g_scratch[1];

// The operations that report failures, with their messages.
struct Op {
  const char* name;
  const char* message;
  void (*run)(FileHandler&);
};
inline const Op kOps[] = {
    {"tell", "Failed to get file offset", [](FileHandler& h) { Peer::tell(h); }},
    {"seek", "Failed to move file pointer", [](FileHandler& h) { Peer::seek(h, 0, FH::WhenceBegin); }},
    {"flush", "Failed to flush buffer", [](FileHandler& h) { Peer::flush(h); }},
    {"read", "Failed to read file", [](FileHandler& h) { Peer::read(h, g_scratch, 1); }},
    {"write", "Failed to write file", [](FileHandler& h) { Peer::write(h, "x", 1); }},
};
inline constexpr std::size_t kOpCount = sizeof(kOps) / sizeof(kOps[0]);
inline constexpr lusys::Long kAnyOffset = -1;

// Expects every operation of kOps to throw its Error with `code`.
inline void ExpectAllThrow(FileHandler& h, const std::string& path, lusys::ULong code) {
  for (const Op& op : kOps) {
    SCOPED_TRACE(op.name);
    ExpectError([&] { op.run(h); }, op.message, path, code);
  }
}

// Makes calls[i] fail once with a code of its own and expects kOps[i] to
// throw its Error with that code.
inline void ExpectFaults(FileHandler& h, const std::string& path, const sys::fault::Call (&calls)[kOpCount]) {
  for (std::size_t i = 0; i < kOpCount; ++i) {
    SCOPED_TRACE(kOps[i].name);
    const lusys::ULong code = 1000 + static_cast<lusys::ULong>(i);
    sys::fault::Arm(calls[i], code);
    ExpectError([&] { kOps[i].run(h); }, kOps[i].message, path, code);
    sys::fault::Disarm();
  }
}

template <class Factory>
class HandlerTest : public ::testing::Test {
 protected:
  // Handlers close when they go (only the iostream back-end's would by itself).
  struct Closer {
    void operator()(FileHandler* h) const {
      Peer::close(*h);
      delete h;
    }
  };
  using Handle = std::unique_ptr<FileHandler, Closer>;

  void TearDown() override { sys::fault::Disarm(); }

  std::string Path(const std::string& name = "f") const { return dir_.File(name); }
  Handle Create(const std::string& path) const {
    return Handle(Factory().Create(lusys::CPPathFile(path.c_str())).release());
  }
  // A handler on Path(name), opened as asked; the test fails if it does not open.
  Handle Open(FH::Mode mode, FH::Type type = FH::TypeBinary, const std::string& name = "f") {
    Handle h = Create(Path(name));
    EXPECT_TRUE(Peer::open(*h, mode, type));
    return h;
  }
  bool Opens(FH::Mode mode, const std::string& path) { return Peer::open(*Create(path), mode, FH::TypeBinary); }

  // Opens a file holding "abc" for appending and writes "Z" after seek(0);
  // returns what the file then holds. `tell` (unless kAnyOffset) is the
  // offset expected right after open.
  std::string RewindAndAppend(lusys::Long tell) {
    WriteBytes(Path(), "abc");
    Handle h = Open(FH::ModeAppend);
    if (tell != kAnyOffset) {
      EXPECT_EQ(Peer::tell(*h), tell);
    }
    Peer::seek(*h, 0, FH::WhenceBegin);
    EXPECT_EQ(Peer::write(*h, "Z", 1), 1u);
    h.reset();
    return ReadBytes(Path());
  }

  // What reading a file that holds "a\r\nb" gives when opened with `type`.
  std::string ReadCrLfAs(FH::Type type) {
    WriteBytes(Path(), "a\r\nb");
    char buffer[16];
    return std::string(buffer, Peer::read(*Open(FH::ModeRead, type), buffer, sizeof buffer));
  }

  TempDir dir_;
};

}  // namespace lufio::test

#endif  // LUFIO_TESTS_BACKENDS_HANDLER_TEST_UTIL_H_
