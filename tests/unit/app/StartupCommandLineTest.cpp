// The presets start-up takes from the command line.
#include <gtest/gtest.h>

#include "app/StartupCommandLine.h"

TEST(StartupPresets, ThreeFieldsAndAutomaticRun) {
  const TStartupPresets presets =
      StartupPresetsFrom("\"C:\\setup dir\\Lintora.exe\" sales \"db host\" s3cret AUTO");
  EXPECT_EQ(presets.dataSource, "sales");
  EXPECT_EQ(presets.server, "db host");  // a quoted blank stays, the quotes go
  EXPECT_EQ(presets.password, "s3cret");
  EXPECT_TRUE(presets.autoRun);
}

TEST(StartupPresets, OneArgumentLeavesTheOthersEmpty) {
  const TStartupPresets presets = StartupPresetsFrom("Lintora.exe sales");
  EXPECT_EQ(presets.dataSource, "sales");
  EXPECT_EQ(presets.server, "");
  EXPECT_EQ(presets.password, "");
  EXPECT_FALSE(presets.autoRun);
}

TEST(StartupPresets, AutoIsExactAndWhole) {
  EXPECT_FALSE(StartupPresetsFrom("p a b c auto").autoRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b c Auto").autoRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b c AUTOMATIC").autoRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b AUTO").autoRun);  // third place is the password
  EXPECT_TRUE(StartupPresetsFrom("p a b c \"AUTO\"").autoRun);
  // SILENT is matched the same way, and the two never hold together.
  EXPECT_TRUE(StartupPresetsFrom("p a b c SILENT").silentRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b c SILENT").autoRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b c AUTO").silentRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b c silent").silentRun);
  EXPECT_FALSE(StartupPresetsFrom("p a b SILENT").silentRun);
}

TEST(StartupPresets, EmptyQuotedServerShiftsTheRestForward) {
  // No empty server can be passed: the password moves up and AUTO becomes the password.
  const TStartupPresets presets = StartupPresetsFrom("p sales \"\" s3cret AUTO");
  EXPECT_EQ(presets.server, "s3cret");
  EXPECT_EQ(presets.password, "AUTO");
  EXPECT_FALSE(presets.autoRun);
}
