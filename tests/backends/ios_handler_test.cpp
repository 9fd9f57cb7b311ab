// What the iostream back-end does beyond the contract suite: its open modes,
// the reset of the stream's state after every operation, its own line
// reader, and its answers on a closed handler and on destruction.
#include "backends/handler_test_util.h"

namespace lufio::test {
namespace {

using IosHandlerTest = HandlerTest<IosHandlerFactory>;


TEST_F(IosHandlerTest, OpenMapsModeAndType) {
  EXPECT_EQ(RewindAndAppend(kAnyOffset), "abcZ");  // every write lands at the end
  EXPECT_FALSE(Opens(static_cast<FH::Mode>(7), Path()));
  const std::string text = kTextModeFoldsCrLf ? "a\nb" : "a\r\nb";
  EXPECT_EQ(ReadCrLfAs(FH::TypeText), text);
  EXPECT_EQ(ReadCrLfAs(static_cast<FH::Type>(2)), text);  // only TypeBinary is binary
  EXPECT_EQ(ReadCrLfAs(FH::TypeBinary), "a\r\nb");
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
