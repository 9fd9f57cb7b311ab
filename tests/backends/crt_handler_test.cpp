// What the C runtime descriptor back-end does beyond the contract suite: its
// append flag, its Whence, Mode and Type mapping, 32-bit positions, and its
// answers on failure and on a closed handler.
#include <filesystem>

#include "backends/handler_test_util.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;
using Call = sys::fault::Call;
using CrtHandlerTest = HandlerTest<CrtHandlerFactory>;

constexpr char kTellFailed[] = "Failed to get file offset";
constexpr char kSeekFailed[] = "Failed to move file pointer";

TEST_F(CrtHandlerTest, OpenMapsModeAndType) {
  EXPECT_EQ(RewindAndAppend(0), "abcZ");  // every write lands at the end
  EXPECT_EQ(ReadCrLfAs(FH::TypeText), kTextModeFoldsCrLf ? "a\nb" : "a\r\nb");
  EXPECT_EQ(ReadCrLfAs(static_cast<FH::Type>(5)), "a\r\nb");  // binary
  auto read_only = Open(static_cast<FH::Mode>(7));
  EXPECT_THROW(Peer::write(*read_only, "x", 1), Error);
  Open(FH::ModeWrite, FH::TypeBinary, "new");  // created readable and writable
  EXPECT_NE(fs::status(Path("new")).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(CrtHandlerTest, OutOfRangeWhenceMovesFromTheCurrentPosition) {
  auto h = Open(FH::ModeReadWrite);
  Peer::write(*h, "0123456789abcdef", 16);
  Peer::seek(*h, 10, FH::WhenceBegin);
  EXPECT_EQ(Peer::seek(*h, 5, static_cast<FH::Whence>(7)), 15);
  ExpectError([&] { Peer::seek(*h, -1, FH::WhenceBegin); }, kSeekFailed, Path(), std::nullopt);
}

TEST_F(CrtHandlerTest, PositionsBeyondTwoGibFailAndLeaveThePositionAlone) {
  if (kOnWindows) GTEST_SKIP() << "the runtime's own rule beyond 2 GiB applies there";
  WriteBytes(Path(), "");
  fs::resize_file(Path(), 0x80000040);  // sparse: 2 GiB and 64 bytes
  auto h = Open(FH::ModeRead);
  EXPECT_EQ(Peer::seek(*h, 0x7FFFFFF0, FH::WhenceBegin), 0x7FFFFFF0);
  ExpectError([&] { Peer::seek(*h, 16, FH::WhenceCurrent); }, kSeekFailed, Path(), 22);  // EINVAL
  EXPECT_EQ(Peer::tell(*h), 0x7FFFFFF0);
  char buffer[32];
  ASSERT_EQ(Peer::read(*h, buffer, sizeof buffer), sizeof buffer);
  ExpectError([&] { Peer::tell(*h); }, kTellFailed, Path(), 22);
}

TEST_F(CrtHandlerTest, FailingCallsReportTheSystemCode) {
  auto h = Open(FH::ModeReadWrite);
  ExpectFaults(*h, Path(), {Call::Tell, Call::LSeek, Call::Commit, Call::Read, Call::Write});
  sys::fault::Arm(Call::SOpen, 77);
  EXPECT_FALSE(Opens(FH::ModeWrite, Path("g")));
  EXPECT_EQ(LastErrorProbe::get_last_error(), 77u);
}

TEST_F(CrtHandlerTest, ClosedHandlerNeverReachesTheRuntime) {
  auto h = Open(FH::ModeReadWrite);
  Peer::close(*h);
  // From here on any runtime call would fail with the code 1.
  for (Call call : {Call::Tell, Call::LSeek, Call::Commit, Call::Read, Call::Write, Call::Close}) {
    sys::fault::Arm(call, 1, 0, 0);
  }
  Peer::close(*h);
  EXPECT_EQ(sys::fault::Fired(Call::Close), 0u);
  ExpectAllThrow(*h, Path(), kClosedHandle);
}

}  // namespace
}  // namespace lufio::test
