// TGBtransfer with the tables this build generated: status bits, error counts and the line
// conversion.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BuildTables.h"
#include "components/Memos.h"
#include "framework/ClassRegistry.h"
#include "i18n/GBBIGTRS.h"

namespace {

const char* const kBig5Install = "\xa6\x77\xb8\xcb";  // 安裝
const char* const kGbInstall = "\xb0\xb2\xd7\xb0";    // 安装

// Every test runs with the build's tables and leaves no platform or shared converter behind.
class GBtransferTest : public ::testing::Test {
 protected:
  void SetUp() override { SetConverterPlatform(&BuildTablesPlatform()); }
  void TearDown() override {
    ReleaseSharedConverter();
    SetConverterPlatform(nullptr);
  }
};

TStringList Lines(std::initializer_list<const char*> lines) {
  TStringList list;
  for (const char* line : lines) list.Add(line);
  return list;
}

}  // namespace

TEST_F(GBtransferTest, ANewConverterIsReadyWithBothTables) {
  TGBtransfer converter(nullptr);
  EXPECT_TRUE(converter.Ready());
  EXPECT_EQ(converter.Status(), 0);
  EXPECT_EQ(converter.ErrorCount(), 0);
  EXPECT_EQ(converter.Direct(), GBtoBIG);
  ASSERT_NE(converter.ResultLines(), nullptr);
  ASSERT_NE(converter.SourceLines(), nullptr);
  EXPECT_EQ(converter.SourceLines()->Count(), 0);
}

TEST_F(GBtransferTest, ConvertTextFollowsDirect) {
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  const std::string big5 = kBig5Install;
  EXPECT_EQ(converter.ConvertText(big5), kGbInstall);
  EXPECT_EQ(big5, kBig5Install);  // the argument is not touched
  converter.SetDirect(GBtoBIG);
  EXPECT_EQ(converter.ConvertText("\xbc\xf2\xcc\xe5"), "\xc2\xb2\xca\x5e");  // 简体 -> 簡体
  EXPECT_EQ(converter.ConvertText(""), "");
  EXPECT_EQ(converter.Status(), 0);
  EXPECT_EQ(converter.ErrorCount(), 0);
}

TEST_F(GBtransferTest, PairFailuresAddUpAcrossConvertText) {
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  EXPECT_EQ(converter.ConvertText("a\xfc\xa1z"), "a\xfc\xa1z");
  EXPECT_EQ(converter.ErrorCount(), 1);
  EXPECT_EQ(converter.Status(), kStatusPairFailure);
  EXPECT_EQ(converter.ConvertText("\xff\xfe\xfd\xfd"), "\xff\xfe\xfd\xfd");
  EXPECT_EQ(converter.ErrorCount(), 3);
  converter.SetDirect(GBtoBIG);
  EXPECT_EQ(converter.ConvertText("\xa1\x40"), "\xa1\x40");  // before the table
  EXPECT_EQ(converter.ErrorCount(), 4);
  EXPECT_NE(converter.ConvertText("\xb0\x40"), "\xb0\x40");  // inside, in an earlier row
  EXPECT_EQ(converter.ErrorCount(), 4);
  EXPECT_EQ(converter.ConvertText(""), "");
  EXPECT_EQ(converter.ErrorCount(), 4);
  EXPECT_EQ(converter.Status(), kStatusPairFailure);
}

TEST_F(GBtransferTest, WithoutTablesEveryPairFailsAndLowBytesPass) {
  SetConverterPlatform(nullptr);
  TGBtransfer converter(nullptr);
  EXPECT_TRUE(converter.Ready());
  EXPECT_EQ(converter.Status(), kStatusNotReady);
  converter.SetDirect(BIGtoGB);
  EXPECT_EQ(converter.ConvertText(std::string("MySQL ") + kBig5Install),
            std::string("MySQL ") + kBig5Install);
  EXPECT_EQ(converter.ErrorCount(), 2);
  EXPECT_EQ(converter.Status(), kStatusNotReady | kStatusPairFailure);
}

TEST_F(GBtransferTest, ConvertLinesWithoutSourceLeavesTheResultAlone) {
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  const TStringList source = Lines({kBig5Install});
  converter.SetSource(&source);
  EXPECT_EQ(converter.ConvertLines(), 0);
  converter.SetSource(nullptr);
  EXPECT_EQ(converter.ConvertLines(), kStatusNoSourceLines);
  EXPECT_EQ(converter.Status(), kStatusNoSourceLines);
  EXPECT_EQ(converter.ConvertLines(), kStatusNoSourceLines);
  ASSERT_EQ(converter.ResultLines()->Count(), 1);
  EXPECT_EQ(converter.ResultLines()->Get(0), kGbInstall);
}

TEST_F(GBtransferTest, ConvertLinesReportsAndClearsItsStatus) {
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  converter.ConvertText("\xfc\xa1");  // an earlier failure does not count in the run
  const TStringList source = Lines({"\xfc\xa1\xfd\xa1", "", kBig5Install});
  converter.SetSource(&source);
  EXPECT_EQ(converter.ConvertLines(), kStatusPairFailure);
  EXPECT_EQ(converter.Status(), 0);
  EXPECT_EQ(converter.ErrorCount(), 2);
  const TStringList expected = Lines({"\xfc\xa1\xfd\xa1", "", kGbInstall});
  EXPECT_EQ(converter.ResultLines()->Lines(), expected.Lines());
}

TEST_F(GBtransferTest, ReleasedConverterIsNotReady) {
  TGBtransfer converter(nullptr);
  converter.Release();
  EXPECT_FALSE(converter.Ready());
  EXPECT_EQ(converter.ConvertLines(), kStatusNotReady | kStatusNoSourceLines);
  converter.SetDirect(BIGtoGB);
  EXPECT_EQ(converter.ConvertText(kBig5Install), kBig5Install);
  TStringList lines = Lines({kBig5Install});
  converter.ConvertStrings(lines);  // no result list to take: the lines stay
  EXPECT_EQ(lines.Get(0), kBig5Install);
}

TEST_F(GBtransferTest, ConvertStringsKeepsAnEmptyMiddleLine) {
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  TStringList lines = Lines({"\xc1\x63\xc5\xe9", "", "\xa6\xa8\xa5\x5c"});  // 繁體, "", 成功
  converter.ConvertStrings(lines);
  const TStringList expected = Lines({"\xb7\xb1\xcc\xe5", "", "\xb3\xc9\xb9\xa6"});
  EXPECT_EQ(lines.Lines(), expected.Lines());
}

TEST_F(GBtransferTest, ConvertStringsOfAnEmptyListDoesNothing) {
  TGBtransfer converter(nullptr);
  const TStringList source = Lines({"x"});
  converter.SetSource(&source);
  TStringList empty;
  converter.ConvertStrings(empty);
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(converter.SourceLines()->Count(), 1);
  EXPECT_EQ(converter.ResultLines()->Count(), 0);
}

TEST_F(GBtransferTest, ListsOfMoreThan65535LinesConvertCompletely) {
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  TStringList lines;
  for (int i = 0; i < 70000; ++i) lines.Add(kBig5Install);
  converter.ConvertStrings(lines);
  ASSERT_EQ(lines.Count(), 70000);
  EXPECT_EQ(lines.Get(0), kGbInstall);
  EXPECT_EQ(lines.Get(69999), kGbInstall);
}

TEST_F(GBtransferTest, SharedConverterIsMadeOnceForBigFiveToGb) {
  EXPECT_EQ(SharedConverter(), nullptr);
  CreateSharedConverter();
  TGBtransfer* shared = SharedConverter();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(shared->Direct(), BIGtoGB);
  CreateSharedConverter();
  EXPECT_EQ(SharedConverter(), shared);
  shared->SetDirect(GBtoBIG);
  EXPECT_EQ(BigToGbText(kBig5Install), kGbInstall);  // sets the direction on every use
  EXPECT_EQ(shared->Direct(), BIGtoGB);
  ReleaseSharedConverter();
  EXPECT_EQ(SharedConverter(), nullptr);
  EXPECT_EQ(BigToGbText("\xa6\xa8\xa5\x5c"), "\xb3\xc9\xb9\xa6");  // makes it again
  EXPECT_NE(SharedConverter(), nullptr);
}

TEST_F(GBtransferTest, ChineseSystemKindFollowsTheLanguage) {
  const struct {
    uint16_t lang;
    int kind;
  } cases[] = {{0x0804, 1}, {0x0FD4, 2}, {0x0404, 0}, {0x0409, 0}, {0x0C04, 0}};
  for (const auto& c : cases) {
    TableFolderPlatform platform(LINTORA_TABLES_DIR, c.lang);
    SetConverterPlatform(&platform);
    EXPECT_EQ(GetChineseSystemKind(), c.kind) << std::hex << c.lang;
    EXPECT_EQ(TGBtransfer(nullptr).DefaultLangID(), c.lang);
    SetConverterPlatform(nullptr);
  }
}

TEST_F(GBtransferTest, LocaleSettersDoNotChangeWhatIsRead) {
  TGBtransfer converter(nullptr);
  converter.SetIcountry(886);
  converter.SetScountry("Taiwan");
  converter.SetDefaultLangID(0x0804);
  EXPECT_EQ(converter.Icountry(), 0);
  EXPECT_EQ(converter.Scountry(), "");
  EXPECT_EQ(converter.DefaultLangID(), 0);
}

TEST_F(GBtransferTest, DirectIsStoredOnlyWhenNotTheDefault) {
  RegisterGBtransferClass();
  std::unique_ptr<TComponent> component(CreateComponentOfClass("TGBtransfer", nullptr));
  auto& converter = dynamic_cast<TGBtransfer&>(*component);
  const TPropInfo* direct = GetPropInfo(converter, "Direct");
  ASSERT_NE(direct, nullptr);
  EXPECT_EQ(direct->TypeName, "TConvertDirect");
  EXPECT_FALSE(IsStoredProp(converter, *direct));
  SetEnumProp(converter, *direct, "BIGtoGB");
  EXPECT_EQ(converter.Direct(), BIGtoGB);
  EXPECT_TRUE(IsStoredProp(converter, *direct));
  std::vector<std::string> names;
  for (const TPropInfo* prop : GetPropList(converter)) names.push_back(prop->Name);
  const std::vector<std::string> own(names.end() - 4, names.end());
  EXPECT_EQ(own, (std::vector<std::string>{"Direct", "Icountry", "Scountry", "DefaultLangID"}));
  for (const char* name : {"Icountry", "Scountry", "DefaultLangID"}) {
    EXPECT_FALSE(IsStoredProp(converter, *GetPropInfo(converter, name))) << name;
  }
}

TEST_F(GBtransferTest, MessageTableLooksUpGb2312TextsAfterConversion) {
  TMemos memos(nullptr);
  memos.SetLines(Lines({"S_Link=\xb3\x73\xb5\xb2", "S_Succ=\xa6\xa8\xa5\x5c"}));  // 連結, 成功
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  converter.ConvertStrings(*memos.Lines());
  EXPECT_EQ(memos.Lookup("S_Succ"), "\xb3\xc9\xb9\xa6");  // 成功
  EXPECT_EQ(memos.Lookup("S_LINK"), "\xc1\xac\xbd\xe1");  // 连结
}
