// What the iostream back-end does beyond the contract suite: its open modes,
// the reset of the stream's state after every operation, its own line
// reader, and its answers on a closed handler and on destruction.
#include "backends/handler_test_util.h"

namespace lufio::test {
namespace {

using IosHandlerTest = HandlerTest<IosHandlerFactory>;

constexpr char kTellFailed[] = "Failed to get file offset";
constexpr char kSeekFailed[] = "Failed to move file pointer";
constexpr char kWriteFailed[] = "Failed to write file";

TEST_F(IosHandlerTest, OpenMapsModeAndType) {
  EXPECT_EQ(RewindAndAppend(kAnyOffset), "abcZ");  // every write lands at the end
  EXPECT_FALSE(Opens(static_cast<FH::Mode>(7), Path()));
  const std::string text = kTextModeFoldsCrLf ? "a\nb" : "a\r\nb";
  EXPECT_EQ(ReadCrLfAs(FH::TypeText), text);
  EXPECT_EQ(ReadCrLfAs(static_cast<FH::Type>(2)), text);  // only TypeBinary is binary
  EXPECT_EQ(ReadCrLfAs(FH::TypeBinary), "a\r\nb");
}

TEST_F(IosHandlerTest, EveryOperationLeavesTheStreamClean) {
  auto h = Open(FH::ModeReadWrite);
  EXPECT_EQ(Peer::write(*h, "0123456789", 10), 10u);
  EXPECT_EQ(Peer::seek(*h, 5, static_cast<FH::Whence>(7)), 5);  // from the beginning
  char buffer[100];
  EXPECT_EQ(Peer::read(*h, buffer, 100), 5u);  // end of file: no error
  EXPECT_EQ(Peer::read(*h, buffer, 100), 0u);
  EXPECT_EQ(Peer::seek(*h, 0, FH::WhenceBegin), 0);
  EXPECT_EQ(Peer::read(*h, buffer, 3), 3u);
  ExpectError([&] { Peer::seek(*h, -1, FH::WhenceBegin); }, kSeekFailed, Path(), std::nullopt);
  EXPECT_EQ(Peer::tell(*h), 3);
  auto read_only = Open(FH::ModeRead);
  ExpectError([&] { Peer::write(*read_only, "x", 1); }, kWriteFailed, Path(), std::nullopt);
}

TEST_F(IosHandlerTest, GetLineIsTheStreamsExtraction) {
  WriteBytes(Path(), "1234567\n\n123456789A\nend");
  auto h = Open(FH::ModeRead);
  const struct {
    bool result;
    const char* text;
    bool complete;
  } cases[] = {{true, "1234567", true}, {true, "", true},    {true, "1234567", false},
               {true, "89A", true},     {true, "end", true}, {false, "", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    char buffer[8];
    bool complete = !c.complete;
    EXPECT_EQ(Peer::getline(*h, buffer, sizeof buffer, complete), c.result);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(complete, c.complete);
  }
}

TEST_F(IosHandlerTest, DestroyingAnOpenHandlerKeepsWhatWasWritten) {
  auto h = IosHandlerFactory().Create(lusys::CPPathFile(Path().c_str()));
  ASSERT_TRUE(Peer::open(*h, FH::ModeWrite, FH::TypeBinary));
  h->Write(lusys::Literal("kept"));
  h.reset();  // without close
  EXPECT_EQ(ReadBytes(Path()), "kept");
}

}  // namespace
}  // namespace lufio::test
