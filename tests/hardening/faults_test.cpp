// Real faults that the system offers, over every back-end: a full device, a
// descriptor that cannot be read, a file that cannot seek. Each must surface
// as the documented Error with the system's code, never as a crash or a lost
// byte. The full device and named pipes exist on Linux only.
#include <gtest/gtest.h>
#include <lufio/lufio.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "backends/handler_test_util.h"
#include "support/factories.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"
#include "support/unix_fifo.h"

namespace {

using lufio::FileHandler;
namespace fs = std::filesystem;

template <class Factory>
class RealFaults : public ::testing::Test {
 protected:
  const Factory factory_{};
  lufio::test::TempDir dir_;
};

TYPED_TEST_SUITE(RealFaults, lufio::test::AllFactories, lufio::test::FactoryNames);

using lufio::test::ExpectError;
const std::optional<lusys::ULong> kAnyCode;  // the stdio back-end's error indicator

TYPED_TEST(RealFaults, FullDeviceRefusesWritesAndFlushes) {
  const std::string full = "/dev/full";
  if (lufio::test::kOnWindows || !fs::exists(full)) GTEST_SKIP() << "no full device here";
  const std::vector<char> block(1 << 20, 'z');
  const lusys::BasicRef<const char> data(block.data(), block.size());
  lufio::FileW out(lusys::CPPathFile(full.c_str()), FileHandler::TypeBinary, this->factory_);
  if constexpr (std::is_same_v<TypeParam, lufio::StdioHandlerFactory>) {
    ExpectError([&] { out.Write(lusys::Literal("x")), out.Flush(); }, "Failed to flush buffer", full, ENOSPC);
    ExpectError([&] { out.Write(data); }, "Failed to write file", full, kAnyCode);
  } else if constexpr (std::is_same_v<TypeParam, lufio::IosHandlerFactory>) {
    out.Write(lusys::Literal("x"));
    out.Flush();  // never throws
    ExpectError([&] { out.Write(data); }, "Failed to write file", full, ENOSPC);
  } else {
    ExpectError([&] { out.Write(data); }, "Failed to write file", full, ENOSPC);
  }
}

TYPED_TEST(RealFaults, DirectoryCannotBeReadAsAFile) {
  const std::string dir = this->dir_.path();
  constexpr bool kWin = std::is_same_v<TypeParam, lufio::WinHandlerFactory>;
  if (lufio::test::kOnWindows || kWin || std::is_same_v<TypeParam, lufio::CrtHandlerFactory>) {
    // Windows refuses to open a directory as a file at all, and so do the
    // Win32 handle and C runtime stand-ins (EISDIR and EACCES).
    ExpectError([&] { lufio::FileR(lusys::CPPathFile(dir.c_str()), FileHandler::TypeBinary, this->factory_); },
                "Failed to open", dir,
                lufio::test::kOnWindows ? kAnyCode : std::optional<lusys::ULong>(kWin ? EISDIR : EACCES));
    return;
  }
  // Reading bytes and reading lines both fail, each line reader its own way.
  lufio::TextFileR in(lusys::CPPathFile(dir.c_str()), this->factory_);
  char buffer[16];
  bool complete = false;
  const auto code =
      std::is_same_v<TypeParam, lufio::StdioHandlerFactory> ? kAnyCode : std::optional<lusys::ULong>(EISDIR);
  ExpectError([&] { in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))); }, "Failed to read file", dir, code);
  ExpectError([&] { in.GetLine(buffer, sizeof(buffer), complete); }, "Failed to read file", dir, code);
}

// A sparse file of 4 GiB and 100 bytes: no position beyond 32 bits comes
// back cut; the stand-ins refuse it with EINVAL, the system's stdio and
// fstream with EOVERFLOW.
TYPED_TEST(RealFaults, PositionsBeyond32BitsFail) {
  if (lufio::test::kOnWindows) GTEST_SKIP() << "Linux stdio and fstream only; Windows' runtime fails on its own";
  const std::string name = this->dir_.File("sparse");
  std::ofstream(name).put('x');
  std::error_code ec;
  fs::resize_file(name, (std::uintmax_t{1} << 32) + 100, ec);
  if (ec) GTEST_SKIP() << "no sparse files here: " << ec.message();
  constexpr bool kWin = std::is_same_v<TypeParam, lufio::WinHandlerFactory>;
  const lusys::ULong code = kWin || std::is_same_v<TypeParam, lufio::CrtHandlerFactory> ? EINVAL : EOVERFLOW;
  const lusys::CPPathFile path(name.c_str());
  lufio::FileR in(path, FileHandler::TypeBinary, this->factory_);
  ExpectError([&] { in.Size(); }, "Failed to move file pointer", name, code);
  // Appending moves beyond 32 bits: the Win32 back-end's move to the end fails.
  if (kWin) {
    ExpectError([&] { lufio::FileA(path, FileHandler::TypeBinary, this->factory_); }, "Failed to move file pointer",
                name, code);
    return;
  }
  lufio::FileA out(path, FileHandler::TypeBinary, this->factory_);
  out.Write(lusys::Literal("z"));
  ExpectError([&] { out.Tell(); }, "Failed to get file offset", name, code);
}

TYPED_TEST(RealFaults, PipeCannotTellOrSeek) {
  const std::string name = this->dir_.File("fifo");
  const lufio::test::UnixFifo fifo(name);
  if (!fifo.ok()) GTEST_SKIP() << "no named pipes here";
  lufio::FileR in(lusys::CPPathFile(name.c_str()), FileHandler::TypeBinary, this->factory_);
  ExpectError([&] { in.Tell(); }, "Failed to get file offset", name, ESPIPE);
  ExpectError([&] { in.Size(); }, "Failed to get file offset", name, ESPIPE);
  ExpectError([&] { in.Seek(0, FileHandler::WhenceCurrent); }, "Failed to get file offset", name, ESPIPE);
  // What was written into the pipe still arrives whole.
  fifo.Write("through the pipe");
  char buffer[16];
  EXPECT_EQ(in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer))), 16u);
  EXPECT_EQ(std::string(buffer, 16), "through the pipe");
}

}  // namespace
