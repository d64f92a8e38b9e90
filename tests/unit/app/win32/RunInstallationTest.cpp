// The installation run as a value, without the dialog: RunInstallation on fields and the
// engine's own components, against the prefix's real registry and system directory and the test
// run's MariaDB server; and the run log the program leaves in the user data folder.
#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, which must come before it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/RunLog.h"
#include "app/SetupFields.h"
#include "app/win32/InstallationRun.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SettingsStore.h"
#include "app/win32/SystemPrograms.h"
#include "controls/win32/Application.h"
#include "dbengine/AliasEd.h"
#include "dbengine/SqlIdentifier.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/FileBytes.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/Registry.h"
#include "tests/unit/app/win32/OdbcState.h"
#include "tests/unit/dbengine/win32/DataSourceFixture.h"

namespace {
const char* const kDriverFiles[] = {"Myodbc.dll", "Myodbcd.dll", "myodbc5a.dll", "myodbc5S.dll"};
const char* const kUserRecords = "\\Software\\ODBC\\ODBC.INI\\";

void RemoveDriverFiles() {
  for (const char* name : kDriverFiles) RemoveFile(SysDir() + name);
}

// The per-user record's value, "<no record>" when the data source has none.
std::string UserRecordValue(const std::string& name, const std::string& value) {
  TRegistry registry;
  if (!registry.OpenKey(kUserRecords + name, false)) return "<no record>";
  return registry.ReadString(value);
}

std::string SavedDataSource() {
  TRegistry settings;
  return settings.OpenKey(SettingsKeyPath, false) ? settings.ReadString("Db") : "<no settings>";
}

const TRunStep* StepNamed(const TInstallationOutcome& outcome, const std::string& name) {
  for (const TRunStep& step : outcome.steps) {
    if (step.name == name) return &step;
  }
  return nullptr;
}

class RunWithoutForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterLintoraFormClasses(); }
  void SetUp() override {
    ASSERT_TRUE(ReadMySqlServer(server_));
    saved_ = OdbcState::Read();
    OdbcState().Restore();
    TRegistry().DeleteKey(SettingsKeyPath);
    RemoveDriverFiles();
    carrier_ = ReadLintoraForm();  // only for the driver files the program carries
    options_.driverFiles = carrier_->DriverFiles();
    options_.aliasEditor = &aliases_;
    options_.database = &database_;
    options_.query = &query_;
  }
  void TearDown() override {
    database_.Close();
    saved_.Restore();
    TRegistry().DeleteKey(SettingsKeyPath);
    RemoveDriverFiles();
  }

  TSetupFields Fields(const std::string& generation, const std::string& name) const {
    TSetupFields fields;
    fields.DbType = generation;
    fields.DataSource = name;
    fields.Server = server_.host;
    fields.Port = server_.port;
    fields.User = server_.user;
    fields.Password = server_.password;
    return fields;
  }

  MySqlServer server_;
  OdbcState saved_;
  std::unique_ptr<TLintoraForm> carrier_;
  TAliasEditor aliases_{nullptr};
  TDatabase database_{nullptr};
  TQuery query_{nullptr};
  TInstallationOptions options_;
};
}  // namespace

// The 2.50 generation with its machine-wide record unreachable: that step alone is abandoned and
// named; the data source's database does not exist yet, so the connection fails with the server's
// word (exit code 1). The 5.3 generation with create-database opens through "mysql" (0). A driver
// type of another case registers nothing and the run still goes on.
TEST_F(RunWithoutForm, GenerationsAbandonedStepsAndTheConnectionResult) {
  const std::string name = UniqueName("LtRun");
  {
    DanglingLink record(HKEY_LOCAL_MACHINE, "Software\\ODBC\\ODBC.INI\\" + name);
    const TInstallationOutcome outcome = RunInstallation(Fields("MySQL", name), options_);
    EXPECT_FALSE(outcome.Ended()) << outcome.error;
    const TRunStep* abandoned = StepNamed(
        outcome, "machine-wide record HKEY_LOCAL_MACHINE\\Software\\ODBC\\ODBC.INI\\" + name);
    ASSERT_NE(abandoned, nullptr);
    EXPECT_EQ(abandoned->state, TStepState::Abandoned);
    EXPECT_FALSE(abandoned->message.empty());
    ASSERT_NE(StepNamed(outcome, "register MySQL and data source " + name), nullptr);
    EXPECT_EQ(UserRecordValue(name, "Driver"), SysDir() + "myodbc.dll");
    EXPECT_EQ(outcome.connection.state, TConnectionState::Failed);
    EXPECT_EQ(outcome.connection.dataSource, name);
    EXPECT_NE(outcome.connection.message.find("Unknown database"), std::string::npos)
        << outcome.connection.message;
    EXPECT_EQ(outcome.ExitCode(), 1);
    EXPECT_EQ(SavedDataSource(), name);
    for (const char* file : kDriverFiles) EXPECT_TRUE(FileExists(SysDir() + file)) << file;
  }

  options_.createDatabase = true;
  const TInstallationOutcome created = RunInstallation(Fields("MySQL5.3+", name), options_);
  EXPECT_FALSE(created.Ended()) << created.error;
  EXPECT_EQ(created.connection.state, TConnectionState::Opened) << created.connection.message;
  EXPECT_EQ(created.connection.dataSource, "mysql");
  EXPECT_EQ(created.ExitCode(), 0);
  EXPECT_EQ(UserRecordValue(name, "Driver"), SysDir() + "myodbc5a.dll");
  EXPECT_EQ(UserRecordValue(name, "CHARSET"), "latin1");
  database_.Close();
  database_.SetDatabaseName(name);
  EXPECT_NO_THROW(database_.Open());  // the database is there now
  database_.Execute("DROP DATABASE " + QuoteIdentifier(name, ""));
  database_.Close();

  const std::string other = UniqueName("LtNone");
  options_.createDatabase = false;
  const TInstallationOutcome none = RunInstallation(Fields("mysql", other), options_);
  const TRunStep* skipped = StepNamed(none, "register the driver type \"mysql\"");
  ASSERT_NE(skipped, nullptr);
  EXPECT_EQ(skipped->state, TStepState::Skipped);
  EXPECT_EQ(UserRecordValue(other, "Driver"), "<no record>");
  EXPECT_EQ(none.connection.state, TConnectionState::Failed);  // no such data source
  EXPECT_EQ(none.ExitCode(), 1);
}

// A refused name ends the run at the registration, after the settings were saved: nothing is
// registered, no driver file written, no connection tried, and the error is held (exit code 2).
TEST_F(RunWithoutForm, RefusedNameEndsTheRunWithItsMessage) {
  const std::string name = "Lt[refused]";
  const TInstallationOutcome outcome = RunInstallation(Fields("MySQL5.3+", name), options_);
  ASSERT_TRUE(outcome.Ended());
  EXPECT_FALSE(outcome.error.empty());
  ASSERT_FALSE(outcome.steps.empty());
  EXPECT_EQ(outcome.steps.back().state, TStepState::Failed);
  EXPECT_EQ(outcome.steps.back().message, outcome.error);
  EXPECT_EQ(outcome.connection.state, TConnectionState::NotTested);
  EXPECT_EQ(outcome.ExitCode(), 2);
  EXPECT_EQ(SavedDataSource(), name);
  EXPECT_EQ(UserRecordValue(name, "Driver"), "<no record>");
  EXPECT_FALSE(FileExists(SysDir() + "myodbc5a.dll"));
}

namespace {
class RunLogFile : public RunWithoutForm {
 protected:
  void SetUp() override {
    RunWithoutForm::SetUp();
    logPath_ = GetUserDataFolder() + kRunLogFileName;
    RemoveFile(logPath_);
    RemoveDirectoryA(logPath_.c_str());
  }
  void TearDown() override {
    form_.reset();
    Application->OnException = nullptr;
    RemoveFile(logPath_);
    RemoveDirectoryA(logPath_.c_str());
    RunWithoutForm::TearDown();
  }

  // The settings an administrator prepared: the 5.3 driver on the test server's port.
  void PrepareSettings(const std::string& port) {
    TRegistry settings;
    ASSERT_TRUE(settings.OpenKey(SettingsKeyPath, true));
    settings.WriteString("DbTYPE", "MySQL5.3+");
    settings.WriteString("Port", port);
    settings.WriteString("User", server_.user);
  }

  int AutoRun(const std::string& name) {
    form_ = ReadLintoraForm();
    form_->SetCommandLine("Lintora.exe " + name + " " + server_.host + " " + server_.password +
                          " AUTO");
    form_->DoCreate();
    EXPECT_TRUE(form_->AutoRunFinished());
    return form_->ExitCode();
  }

  std::string LogText() const {
    if (!FileExists(logPath_)) return "<no log>";
    const std::vector<uint8_t> bytes = ReadFileBytes(logPath_);
    return std::string(bytes.begin(), bytes.end());
  }

  std::string logPath_;
  std::unique_ptr<TLintoraForm> form_;
};

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}
}  // namespace

// Each AUTO run appends its block: the run's values without the password, every step, the
// connection result with the server's message, the exit code. The second run finds the
// machine-wide record unreachable and the server refusing.
TEST_F(RunLogFile, AutoRunsAppendOneBlockEachWithoutThePassword) {
  ASSERT_FALSE(server_.password.empty());
  const std::string name = UniqueName("LtLog");
  {
    const ScopedDataSource maker("LtLogMaker", ServerRecord(server_, "mysql", server_.password));
    TDatabase database(nullptr);
    database.SetDatabaseName("LtLogMaker");
    database.Open();
    database.Execute("CREATE DATABASE " + QuoteIdentifier(name, ""));
  }
  PrepareSettings(server_.port);
  EXPECT_EQ(AutoRun(name), 0);
  std::string log = LogText();
  EXPECT_EQ(Count(log, "] Lintora "), 1u) << log;
  const std::vector<std::string> lines = {
      "  driver type: MySQL5.3+\r\n",
      "  data source: " + name + "\r\n",
      "  server: " + server_.host + "\r\n",
      "  port: " + server_.port + "\r\n",
      "  user: " + server_.user + "\r\n",
      "  save settings: done\r\n",
      "  register MySQL ODBC 5.3 Driver and data source " + name + ": done\r\n",
      "  write driver files: done\r\n",
      "  connection to " + name + ": opened\r\n",
      "  exit code: 0\r\n"};
  for (const std::string& line : lines) {
    EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;
  }

  LoopbackListener refusing;  // bound, never listening
  PrepareSettings(refusing.Port());
  const std::string refused = UniqueName("LtLog");
  {
    DanglingLink record(HKEY_LOCAL_MACHINE, "Software\\ODBC\\ODBC.INI\\" + refused);
    EXPECT_EQ(AutoRun(refused), 1);
  }
  log = LogText();
  EXPECT_EQ(Count(log, "] Lintora "), 2u) << log;
  const std::string second = log.substr(log.rfind("\r\n[") + 2);
  EXPECT_NE(second.find("  machine-wide record HKEY_LOCAL_MACHINE\\Software\\ODBC\\ODBC.INI\\" +
                        refused + ": abandoned: "),
            std::string::npos)
      << second;
  EXPECT_NE(second.find("  connection to " + refused + ": failed: Can't connect"),
            std::string::npos)
      << second;
  EXPECT_NE(second.find("  exit code: 1\r\n"), std::string::npos) << second;
  EXPECT_EQ(log.find(server_.password), std::string::npos) << "the password is in the log";

  form_.reset();
  TDatabase database(nullptr);
  const ScopedDataSource dropper("LtLogMaker", ServerRecord(server_, "mysql", server_.password));
  database.SetDatabaseName("LtLogMaker");
  database.Open();
  database.Execute("DROP DATABASE " + QuoteIdentifier(name, ""));
}

// A log past its bound loses its oldest runs from the front; a folder in the log's place leaves
// the run's exit code as it would be.
TEST_F(RunLogFile, BoundedFromTheFrontAndUnwritableLogChangesNothing) {
  std::string old;
  for (int run = 0; old.size() < kRunLogLimit - 100; ++run) {
    old += "[old run " + std::to_string(run) + "] Lintora 1.0, installation run\r\n" +
           std::string(200, 'x') + "\r\n";
  }
  WriteFileBytes(logPath_, reinterpret_cast<const uint8_t*>(old.data()), old.size());
  PrepareSettings(server_.port);
  const std::string name = UniqueName("LtCut");
  EXPECT_EQ(AutoRun(name), 1);  // no database of that name: the server refuses the open
  const std::string log = LogText();
  EXPECT_LE(log.size(), kRunLogLimit);
  EXPECT_EQ(log.rfind("[old run 0]", 0), std::string::npos) << "the oldest run stayed";
  EXPECT_EQ(log.rfind("[old run ", 0), 0u) << "the log no longer starts with a whole run";
  EXPECT_NE(log.find("  data source: " + name + "\r\n"), std::string::npos);
  EXPECT_EQ(log.substr(log.size() - 16), "  exit code: 1\r\n");

  RemoveFile(logPath_);
  ASSERT_TRUE(CreateDirectoryA(logPath_.c_str(), nullptr));
  EXPECT_EQ(AutoRun(name), 1);
  EXPECT_TRUE(DirectoryExists(logPath_));
}
