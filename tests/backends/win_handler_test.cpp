// What the Win32 handle back-end does beyond the contract suite: its append
// position, its Whence and Mode mapping, no text mode, 32-bit positions, and
// the system's answers on failure and on a closed handler.
#include <climits>
#include <filesystem>

#include "backends/handler_test_util.h"

namespace lufio::test {
namespace {

using Call = sys::fault::Call;
using WinHandlerTest = HandlerTest<WinHandlerFactory>;

constexpr char kTellFailed[] = "Failed to get file offset";
constexpr char kSeekFailed[] = "Failed to move file pointer";

TEST_F(WinHandlerTest, OpenMapsModeAndIgnoresType) {
  EXPECT_EQ(RewindAndAppend(3), "Zbc");  // at the end after open; a write after seek(0) overwrites
  EXPECT_FALSE(Opens(static_cast<FH::Mode>(7), Path()));
  EXPECT_FALSE(Opens(FH::ModeRead, dir_.path()));  // a directory
  EXPECT_EQ(ReadCrLfAs(FH::TypeText), "a\r\nb");
  EXPECT_EQ(ReadCrLfAs(static_cast<FH::Type>(5)), "a\r\nb");
}

TEST_F(WinHandlerTest, OutOfRangeWhenceMovesFromTheBeginning) {
  auto h = Open(FH::ModeReadWrite);
  Peer::write(*h, "0123456789abcdef", 16);
  EXPECT_EQ(Peer::seek(*h, 5, static_cast<FH::Whence>(7)), 5);
  ExpectError([&] { Peer::seek(*h, -1, FH::WhenceBegin); }, kSeekFailed, Path(), std::nullopt);
}

TEST_F(WinHandlerTest, PositionsAreThirtyTwoBits) {
  if (!kSetFilePointerRefusesBeyond32Bits) GTEST_SKIP() << "Wine's SetFilePointer moves beyond 4 GiB";
  WriteBytes(Path(), "");
  std::filesystem::resize_file(Path(), 0x100000040);  // sparse: 4 GiB and 64 bytes
  auto h = Open(FH::ModeRead);
  ExpectError([&] { Peer::seek(*h, 0, FH::WhenceEnd); }, kSeekFailed, Path(), std::nullopt);
  EXPECT_EQ(Peer::seek(*h, 0x7FFFFFFF, FH::WhenceBegin), 0x7FFFFFFF);
  EXPECT_EQ(Peer::seek(*h, 1, FH::WhenceCurrent), INT32_MIN);  // 2 GiB and beyond come back negative
  EXPECT_EQ(Peer::seek(*h, 0x7FFFFFF0, FH::WhenceCurrent), -16);
  ExpectError([&] { Peer::seek(*h, 16, FH::WhenceCurrent); }, kSeekFailed, Path(), std::nullopt);
  char buffer[32];
  ASSERT_EQ(Peer::read(*h, buffer, sizeof buffer), sizeof buffer);  // now past 4 GiB
  ExpectError([&] { Peer::tell(*h); }, kTellFailed, Path(), std::nullopt);
}

TEST_F(WinHandlerTest, FailingCallsReportTheSystemCode) {
  auto h = Open(FH::ModeReadWrite);
  ExpectFaults(*h, Path(),
               {Call::SetFilePointer, Call::SetFilePointer, Call::FlushFileBuffers, Call::ReadFile, Call::WriteFile});
  sys::fault::Arm(Call::CreateFileA, 77);
  EXPECT_FALSE(Opens(FH::ModeWrite, Path("g")));
  EXPECT_EQ(LastErrorProbe::get_last_error(), 77u);
}

TEST_F(WinHandlerTest, AppendOpenThatCannotReachTheEndThrowsAndReleasesTheHandle) {
  auto h = Create(Path());
  sys::fault::Arm(Call::SetFilePointer, 88);
  ExpectError([&] { Peer::open(*h, FH::ModeAppend, FH::TypeBinary); }, kSeekFailed, Path(), 88);
  ExpectError([&] { Peer::tell(*h); }, kTellFailed, Path(), kClosedHandle);
}

}  // namespace
}  // namespace lufio::test
