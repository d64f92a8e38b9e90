// The run log's text: a block per run that hostile values cannot break into lines of their own,
// and the bound that drops whole runs from the front.
#include <gtest/gtest.h>

#include <string>

#include "app/RunLog.h"
#include "app/SetupFields.h"

TEST(RunLog, BlockKeepsEveryValueOnItsLineAndLeavesThePasswordOut) {
  TSetupFields fields;
  fields.DataSource = "demo\r\n[2000-01-01 00:00:00] forged";
  fields.Password = "secret-word";
  TInstallationOutcome outcome;
  outcome.Done("save settings");
  outcome.Abandoned("machine-wide record X", "Access denied\r\n");
  outcome.connection = {TConnectionState::Failed, "demo", "Can't connect\nto server"};
  const std::string block = RunLogBlock("2026-12-09 17:00:00", fields, outcome);
  EXPECT_EQ(block.rfind("[2026-12-09 17:00:00] Lintora ", 0), 0u) << block;
  EXPECT_EQ(block.find("\r\n["), std::string::npos) << "a value started a block:\n" << block;
  EXPECT_NE(block.find("  machine-wide record X: abandoned: Access denied  \r\n"),
            std::string::npos)
      << block;
  EXPECT_NE(block.find("  connection to demo: failed: Can't connect to server\r\n"),
            std::string::npos)
      << block;
  EXPECT_NE(block.find("  exit code: 1\r\n"), std::string::npos) << block;
  EXPECT_EQ(block.find("secret-word"), std::string::npos);
}

TEST(RunLog, PastTheLimitWholeRunsGoFromTheFront) {
  const std::string first = "[1] run\r\n  a\r\n", second = "[2] run\r\n  b\r\n",
                    third = "[3] run\r\n  c\r\n";
  EXPECT_EQ(AppendedRunLog(first + second, third, 100), first + second + third);
  EXPECT_EQ(AppendedRunLog(first + second, third, 3 * third.size() - 1), second + third);
  EXPECT_EQ(AppendedRunLog(first + second, third, third.size() + 1), third);
  EXPECT_EQ(AppendedRunLog("damaged, no block start", third, third.size() + 5), third);
}
