// What the stdio back-end does beyond the contract suite: its own line reader
// with its look-ahead, its mode strings, its seek result and its answers on a
// closed handler. Its read and write errors, which carry the stream's error
// indicator, are provoked in tests/hardening/faults_test.cpp.
#include <vector>

#include "backends/handler_test_util.h"

namespace lufio::test {
namespace {

using StdioHandlerTest = HandlerTest<StdioHandlerFactory>;

struct Step {
  bool result;
  std::string text;
  bool complete;
};

TEST_F(StdioHandlerTest, ModeStringsFollowModeAndType) {
  EXPECT_EQ(ReadCrLfAs(FH::TypeText), kTextModeFoldsCrLf ? "a\nb" : "a\r\nb");
  EXPECT_EQ(ReadCrLfAs(static_cast<FH::Type>(5)), "a\r\nb");  // every non-zero Type is binary
  EXPECT_FALSE(Opens(static_cast<FH::Mode>(4), Path("none")));
  EXPECT_FALSE(Exists(Path("none")));
  EXPECT_EQ(RewindAndAppend(kAnyOffset), "abcZ");
  // A binary append stream ("ab+") can also be read.
  auto h = Open(FH::ModeAppend);
  Peer::seek(*h, 0, FH::WhenceBegin);
  char buffer[8];
  EXPECT_EQ(Peer::read(*h, buffer, sizeof buffer), 4u);
}

TEST_F(StdioHandlerTest, SeekReportsTheNewPosition) {
  WriteBytes(Path(), std::string(40, 'x'));
  auto h = Open(FH::ModeRead);
  EXPECT_EQ(Peer::seek(*h, 10, FH::WhenceBegin), 10);
  EXPECT_EQ(Peer::seek(*h, 5, FH::WhenceCurrent), 15);
  EXPECT_EQ(Peer::seek(*h, 5, static_cast<FH::Whence>(7)), 20);  // from the current position
  EXPECT_EQ(Peer::seek(*h, 0, FH::WhenceEnd), 40);
  ExpectError([&] { Peer::seek(*h, -1, FH::WhenceBegin); }, "Failed to move file pointer", Path(), std::nullopt);
}

}  // namespace
}  // namespace lufio::test
