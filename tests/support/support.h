// What the suites share: a temporary directory per test, file contents,
// allocation counting, named pipes, running as an ordinary user, one fixture
// over every back-end, and the check of a thrown error.
#ifndef LUFIO_TESTS_SUPPORT_SUPPORT_H_
#define LUFIO_TESTS_SUPPORT_SUPPORT_H_

#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "fault.h"
#include "model/model.h"
#include "support/platform_facts.h"

namespace lufio::test {

// A directory of its own, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const;  // the path of `name` inside

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);  // binary, replacing what was there
std::string ReadBytes(const std::string& path);                      // empty when it cannot be read

// Calls of the global operator new (every form) since the program began.
std::uint64_t AllocationCount();
// Makes the n-th allocation from now on (1: the next) throw std::bad_alloc,
// once; 0 turns that off.
void FailAllocation(std::uint64_t n);

// A named pipe at `path`, or for an empty path an anonymous one, named
// /dev/fd/N; kept open for writing, so that opening it never blocks, until
// Finish writes `bytes` and closes it: a reader then gets them and the end.
// ok() is false where the platform has none.
class UnixFifo {
 public:
  explicit UnixFifo(const std::string& path);
  ~UnixFifo() { Finish(""); }
  UnixFifo(const UnixFifo&) = delete;
  UnixFifo& operator=(const UnixFifo&) = delete;
  bool ok() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  void Finish(const std::string& bytes);

 private:
  std::string path_;
  int fd_ = -1, read_fd_ = -1;
};

// An anonymous pipe of C runtime descriptors (_pipe, binary, on Windows) that
// a thread of its own fills with `bytes` and then closes: a reader of
// stream() gets them and the end. The object closes the stream when it goes.
class FedPipe {
 public:
  explicit FedPipe(std::string bytes);
  ~FedPipe();  // not copyable: its thread is not
  std::FILE* stream() const { return stream_; }

 private:
  std::FILE* stream_ = nullptr;
  std::thread feeder_;
};
// The C runtime descriptor of `stream`, and the Win32 handle of descriptor
// `fd` (off Windows the number itself).
int DescriptorOf(std::FILE* stream);
void* HandleOf(int fd);

// Runs `body` as a user whom permissions bind: here when not root, else in a
// child switched to "nobody". 1 when `body` returned true, 0 when false, -1
// where no such user can be had.
int RunUnprivileged(const std::function<bool()>& body);

// The system calls of row i of the model's table under Tell, Size's move, Flush,
// Read, Write, open and close where the fault seam reaches them (none under
// stdio and fstream).
const std::vector<sys::fault::Call>& FaultCallsOf(int i);
inline std::string BackendName(const ::testing::TestParamInfo<int>& info) { return model::kFacts[info.param].name; }

// One test per back-end, each in a directory of its own; instantiated once
// per program as INSTANTIATE_TEST_SUITE_P(All, EachBackend, Range(0, 4), BackendName).
class EachBackend : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { sys::fault::Disarm(); }
  const model::Facts& facts() const { return model::kFacts[GetParam()]; }
  const FileHandlerFactory& factory() const { return model::FactoryOf(GetParam()); }
  bool Is(const char* name) const { return std::string(facts().name) == name; }
  std::string Path(const std::string& name = "f") const { return dir_.File(name); }
  lusys::CPPathFile File(const std::string& name = "f") const { return lusys::CPPathFile(Path(name).c_str()); }
  TempDir dir_;
};

// An error of each kind with other contents; its path.
inline Error Blank(const Error&) { return Error(lusys::Literal("x"), lusys::CPPathFile("y"), 1); }
inline DirReader::Error Blank(const DirReader::Error&) { return {lusys::Literal("x"), lusys::Literal("y"), 1}; }
inline std::string PathOf(const Error& e) { return e.GetFileName(); }
inline std::string PathOf(const DirReader::Error& e) { return e.GetPath(); }

// Expects `op` to throw E with `message`, `path` and, when given, `code`; so
// must a copy and an assigned copy. Texts keep 255 characters, paths 260.
template <class E = Error, class Op>
void ExpectError(Op op, const std::string& message, const std::string& path, std::optional<lusys::ULong> code) {
  constexpr bool kFile = std::is_same_v<E, Error>;
  try {
    op();
    ADD_FAILURE() << "nothing thrown; expected " << message;
  } catch (const E& caught) {
    E assigned = Blank(caught);
    assigned = caught;
    assigned = static_cast<const E&>(assigned);
    for (const E& e : {caught, assigned}) {
      EXPECT_EQ(e.GetText(), (message + (kFile ? ": file=" : ": dir=") + path).substr(0, 255));
      EXPECT_EQ(PathOf(e), path.substr(0, 260));
      EXPECT_EQ(e.GetCode(), code.value_or(e.GetCode()));
      EXPECT_STREQ(static_cast<const lusys::Exception&>(e).what(), kFile ? "File I/O error" : "Directory read error");
    }
  }
}

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_SUPPORT_H_
