// Tables read from a folder, as the host tools and the benchmark find them.
#include <gtest/gtest.h>

#include "BuildTables.h"
#include "i18n/GBBIGTRS.h"

TEST(TableFolder, TheBuildFolderIsBesideTheProgramsFolder) {
  EXPECT_EQ(BuildTablesFolder("/work/build/native/tools/gbbig"), "/work/build/native/tables");
  EXPECT_EQ(BuildTablesFolder("build/bench/bench_gbconvert"), "build/tables");
}

TEST(TableFolder, AFolderWithoutTablesLeavesTheConverterWithoutThem) {
  TableFolderPlatform empty(LINTORA_TABLES_DIR "/no-such-folder");
  EXPECT_EQ(empty.LoadTable("GBTRSBIG"), nullptr);
  SetConverterPlatform(&empty);
  TGBtransfer converter(nullptr);
  SetConverterPlatform(nullptr);
  EXPECT_TRUE(converter.Ready());
  EXPECT_EQ(converter.Status(), kStatusNotReady);
}
