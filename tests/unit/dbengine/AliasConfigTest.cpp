// The configuration file's layout: what a hand-edited file reads as, that saving and reading
// again gives the same aliases, and that nothing is saved that would read back differently.
#include <gtest/gtest.h>

#include <string>

#include "dbengine/AliasConfig.h"
#include "framework/Exceptions.h"

TEST(AliasConfig, ParsesSectionsIgnoringCommentsBlanksAndStrayLines) {
  const AliasConfig config = AliasConfig::Parse(
      "STRAY=before any alias\n; comment\r\n[Sales]\r\n  BLOB SIZE = 64 \r\n\r\n"
      "not a parameter\n[Stock]\nPATH=C:\\data\n[sales]\nBLOBS TO CACHE=8\n");
  ASSERT_EQ(config.Entries().size(), 2u);
  const AliasEntry* sales = config.Find("SALES");
  ASSERT_NE(sales, nullptr);
  EXPECT_EQ(sales->name, "Sales");
  EXPECT_EQ(sales->params.Text(), "BLOB SIZE = 64\r\nBLOBS TO CACHE=8\r\n");
  EXPECT_EQ(config.Find("stock")->params.Values("PATH"), "C:\\data");
  EXPECT_EQ(config.Find("STRAY"), nullptr);
}

TEST(AliasConfig, SerialisedTextReadsBackTheSameAliases) {
  AliasConfig config;
  config.FindOrAdd("\xa6\x77\xb8\xcb").params.SetValue("BLOB SIZE", "32");  // 安裝
  config.FindOrAdd("demo").params.SetValue("OPEN MODE", "READ/WRITE");
  EXPECT_TRUE(config.Remove("DEMO"));
  EXPECT_FALSE(config.Remove("demo"));
  config.FindOrAdd("demo").params.SetValue("PATH", "a=b");

  const std::string text = config.Serialise();
  EXPECT_EQ(text, "[\xa6\x77\xb8\xcb]\r\nBLOB SIZE=32\r\n\r\n[demo]\r\nPATH=a=b\r\n\r\n");
  const AliasConfig again = AliasConfig::Parse(text);
  ASSERT_EQ(again.Entries().size(), 2u);
  EXPECT_EQ(again.Find("demo")->params.Values("PATH"), "a=b");
  EXPECT_EQ(again.Serialise(), text);
}

TEST(AliasConfig, RefusesWhatTheLayoutCannotHold) {
  for (const std::string& name : {std::string("a]b"), std::string("line\nbreak"), std::string()}) {
    AliasConfig config;
    config.FindOrAdd(name).params.Add("A=1");
    EXPECT_THROW(config.Serialise(), EDatabaseError) << name;
  }
  for (const std::string& line : {std::string("A=1\r\n[other]"), std::string("no equals sign")}) {
    AliasConfig config;
    config.FindOrAdd("demo").params.Add(line);
    EXPECT_THROW(config.Serialise(), EDatabaseError) << line;
  }
}

// A stray line must never make the file unsaveable: each kind the writer refuses is dropped on
// reading, and what is left saves and reads back unchanged.
TEST(AliasConfig, StrayLinesTheWriterRefusesAreDroppedSoSavingGoesOn) {
  const struct {
    const char* text;
    const char* kept;  // the one alias that must survive, "" for none
  } cases[] = {
      {"[]\r\nA=1\r\n", ""},                          // empty section, its lines with it
      {"[a]b]\r\nA=1\r\n[Good]\r\nB=2\r\n", "Good"},  // a name with "]"
      {"[Good]\r\n[x=1\r\nB=2\r\n", "Good"},          // a parameter that starts with "["
      {"[Good]\r\n  [x=1\r\nB=2\r\n", "Good"},        // the same after blanks
      {"[Good]\r\nB=2\r\n[x]=1\r\n", "Good"},         // a section with more after it
  };
  for (const auto& c : cases) {
    const AliasConfig config = AliasConfig::Parse(c.text);
    std::string saved;
    ASSERT_NO_THROW(saved = config.Serialise()) << c.text;
    EXPECT_EQ(AliasConfig::Parse(saved).Serialise(), saved) << c.text;
    ASSERT_EQ(config.Entries().size(), *c.kept ? 1u : 0u) << c.text;
    if (*c.kept) {
      EXPECT_EQ(config.Entries()[0].name, c.kept);
    }
  }
  const AliasConfig good = AliasConfig::Parse("[Good]\r\n[x=1\r\nB=2\r\n[a]b]\r\nC=3\r\n");
  EXPECT_EQ(good.Find("Good")->params.Text(), "B=2\r\n");
}

TEST(AliasConfig, ParametersThatWouldReadBackAsSomethingElseAreRefused) {
  TStringList params;
  for (const std::string& line : {std::string(" [x]=1"), std::string(";A=1")}) {
    params.Clear();
    params.Add(line);
    EXPECT_THROW(AliasConfig::CheckStorable("demo", params), EDatabaseError) << line;
  }
  params.Clear();
  params.Add("BLOB SIZE=64 ");  // trailing blanks are trimmed on reading, not refused
  EXPECT_NO_THROW(AliasConfig::CheckStorable("demo", params));
}
