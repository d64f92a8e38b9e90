#include "tests/integration/win32/FaultMatrixHarness.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "../../unit/dbengine/win32/DataSourceFixture.h"
#include "dbengine/AliasConfig.h"
#include "dbengine/win32/Database.h"
#include "framework/win32/Registry.h"
#include "tests/integration/win32/LintoraProcess.h"

const char* const kName = "LtFault";
const char* const kOther = "LtOther";
const char* const kOdbcIni = "Software\\ODBC\\ODBC.INI\\";

namespace {

const char* const kListKey = "ODBC.INI\\ODBC Data Sources";
const char* const kDefaultKey = "ODBC.INI\\MySQL";  // the 5.3 generation's spelling
constexpr DWORD kRunLimitMs = 60000;

std::unique_ptr<PrefixState> outside;   // the prefix as the test program found it
std::unique_ptr<PrefixState> baseline;  // after LtOther was installed

MySqlServer TestServer() {
  MySqlServer server;
  ReadMySqlServer(server);
  return server;
}

// The databases the data sources name, made on the test server beforehand: the runs leave
// "create database" unticked, as AUTO does.
void CreateDatabases(const MySqlServer& server) {
  const ScopedDataSource source(UniqueName("LtMatrixSetup"),
                                ServerRecord(server, "mysql", server.password));
  TDatabase database(nullptr);
  database.SetDatabaseName(source.Name());
  for (const char* name : {kOther, kName})
    database.Execute("CREATE DATABASE IF NOT EXISTS `" + std::string(name) + "`");
  database.Close();
}

void WriteSetting(const std::string& name, const std::string& value) {
  TRegistry settings(HKEY_CURRENT_USER);
  ASSERT_TRUE(settings.OpenKey(std::string("\\") + SettingsTree, true));
  settings.WriteString(name, value);
}

const StoredKey* KeyOf(const RegistryTree& tree, const std::string& path) {
  const auto key = tree.find(path);
  return key == tree.end() ? nullptr : &key->second;
}

StoredValue Text(const std::string& data) {
  return {REG_SZ, data};
}

// The settings the run saves over the ones it started from.
RegistryTree SavedBy(const InstallRun& run, RegistryTree settings) {
  StoredKey& values = settings[""];
  values["Db"] = Text(run.dataSource);
  values["Server"] = Text(run.server);
  values["Password"] = Text(run.password);
  return settings;
}

// The default record as the run rebuilds it from the one an earlier run left.
StoredKey DefaultRecordOf(const InstallRun& run, StoredKey record) {
  record["Server"] = Text(run.server);
  record["Port"] = Text(run.port);
  record["Password"] = Text(run.password);
  return record;
}

void ExpectOtherDataSourceKept(const RegistryTree& before, const RegistryTree& after,
                               const char* root) {
  const std::string record = std::string("ODBC.INI\\") + kOther;
  ASSERT_NE(KeyOf(before, record), nullptr) << root << ": no " << kOther << " to begin with";
  ASSERT_NE(KeyOf(after, record), nullptr) << root << ": " << kOther << "'s record is gone";
  EXPECT_TRUE(*KeyOf(after, record) == *KeyOf(before, record)) << root << ": " << record;
  const StoredKey* list = KeyOf(after, kListKey);
  ASSERT_NE(list, nullptr) << root << ": the data source list is gone";
  ASSERT_EQ(list->count(kOther), 1u) << root << ": " << kOther << " left the list";
  EXPECT_TRUE(list->at(kOther) == KeyOf(before, kListKey)->at(kOther)) << root;
}

void ExpectDefaultRecord(const RegistryTree& before, const RegistryTree& after, bool rebuilt,
                         const InstallRun& run, const char* root) {
  const StoredKey* old = KeyOf(before, kDefaultKey);
  const StoredKey* now = KeyOf(after, kDefaultKey);
  ASSERT_TRUE(old && now) << root << ": the default record is missing";
  const StoredKey renewed = DefaultRecordOf(run, *old);
  if (rebuilt)
    EXPECT_TRUE(*now == renewed) << root << ": the default record is not the run's";
  else
    EXPECT_TRUE(*now == *old || *now == renewed) << root << ": the default record is half written";
}

void ExpectOwnRecord(const RegistryTree& after, bool written, const InstallRun& run) {
  const StoredKey* record = KeyOf(after, std::string("ODBC.INI\\") + run.dataSource);
  if (!written) {
    EXPECT_EQ(record, nullptr) << "a record of " << run.dataSource << " was written";
    return;
  }
  ASSERT_NE(record, nullptr) << "no per-user record of " << run.dataSource;
  EXPECT_TRUE(record->at("DataBase") == Text(run.dataSource));
  EXPECT_TRUE(record->at("Server") == Text(run.server));
  EXPECT_TRUE(record->at("Port") == Text(run.port));
}

std::vector<std::string> LinesNaming(const FileCopy& file, const std::string& name) {
  std::vector<std::string> lines;
  for (const std::string& line : ProfileLinesOf(file.bytes))
    if (line.find(name) != std::string::npos) lines.push_back(line);
  return lines;
}

void ExpectProfiles(const OdbcState& before, const OdbcState& after, bool written) {
  if (!written) {
    EXPECT_TRUE(after.odbcIni == before.odbcIni) << "ODBC.INI changed";
    EXPECT_TRUE(after.odbcInstIni == before.odbcInstIni) << "ODBCINST.INI changed";
    return;
  }
  EXPECT_EQ(LinesNaming(after.odbcIni, kOther), LinesNaming(before.odbcIni, kOther));
  EXPECT_EQ(LinesNaming(after.odbcIni, kName).size(), 2u) << "ODBC.INI lacks " << kName;
}

void ExpectEngineConfig(const FileCopy& before, const FileCopy& after, bool aliasWritten) {
  if (!aliasWritten) {
    EXPECT_TRUE(after == before) << "the engine configuration changed:\n" << after.bytes;
    return;
  }
  const AliasConfig old = AliasConfig::Parse(before.bytes), now = AliasConfig::Parse(after.bytes);
  ASSERT_NE(old.Find(kOther), nullptr);
  ASSERT_NE(now.Find(kOther), nullptr) << kOther << "'s alias is gone";
  EXPECT_EQ(now.Find(kOther)->params.Lines(), old.Find(kOther)->params.Lines());
  ASSERT_NE(now.Find(kName), nullptr) << "no alias of " << kName;
  EXPECT_EQ(now.Find(kName)->params.Lines(),
            (std::vector<std::string>{"BLOB SIZE=640", "BLOBS TO CACHE=1024"}));
  EXPECT_EQ(now.Entries().size(), 2u);
}

// Files that were there stay as they were; missing ones are written whole when the run got
// through, with the bytes of the first installation.
void ExpectDriverFiles(const PrefixState& before, const PrefixState& after, bool allWritten) {
  for (const char* name : DriverFileNames) {
    const DriverFile& old = before.driverFiles.at(name);
    const DriverFile& now = after.driverFiles.at(name);
    if (old.copy.exists) {
      EXPECT_TRUE(now == old) << name << " changed";
    } else if (allWritten) {
      EXPECT_TRUE(now.copy == baseline->driverFiles.at(name).copy) << name << " not written whole";
    }
  }
}

}  // namespace

InstallRun DefaultRun() {
  const MySqlServer server = TestServer();
  return {kName, server.host, server.password, server.port};
}

void SaveRunSettings(const InstallRun& run) {
  if (run.port != TestServer().port) WriteSetting("Port", run.port);
}

Outcome RunAuto(const InstallRun& run) {
  LintoraProcess program({run.dataSource, run.server, run.password, "AUTO"});
  Outcome outcome;
  outcome.errorBox = program.AnswerErrorBox(kRunLimitMs);
  // After an error the program opens its dialog; the exit code follows when that is closed.
  outcome.exitCode =
      outcome.errorBox.empty() ? program.WaitForExit(kRunLimitMs) : program.CloseDialog();
  return outcome;
}

void InstallBaseline() {
  if (baseline) return;
  outside = std::make_unique<PrefixState>(PrefixState::Read());
  PrefixState::Nothing().Restore();
  const MySqlServer server = TestServer();
  CreateDatabases(server);
  WriteSetting("DbTYPE", "MySQL5.3+");
  WriteSetting("User", server.user);
  WriteSetting("Port", server.port);
  InstallRun run = DefaultRun();
  run.dataSource = kOther;
  const Outcome outcome = RunAuto(run);
  EXPECT_EQ(outcome.errorBox, "");
  EXPECT_EQ(outcome.exitCode, 0u) << "installing " << kOther << " failed";
  baseline = std::make_unique<PrefixState>(PrefixState::Read());
}

const PrefixState& Baseline() {
  return *baseline;
}

void PutBackWhatWasThere() {
  if (outside) outside->Restore();
}

void ExpectNothingElseLost(const PrefixState& before, const PrefixState& after, Reach reach,
                           const InstallRun& run) {
  const bool registered = reach >= Reach::kProfiles;
  EXPECT_TRUE(after.settings ==
              (reach == Reach::kNothing ? before.settings : SavedBy(run, before.settings)))
      << "the saved settings are not what the run saved";
  EXPECT_TRUE(after.hostList == before.hostList) << "the host list changed";
  ExpectOtherDataSourceKept(before.odbc.machine, after.odbc.machine, "HKEY_LOCAL_MACHINE");
  ExpectOtherDataSourceKept(before.odbc.user, after.odbc.user, "HKEY_CURRENT_USER");
  ExpectDefaultRecord(before.odbc.machine, after.odbc.machine, false, run, "HKEY_LOCAL_MACHINE");
  ExpectDefaultRecord(before.odbc.user, after.odbc.user, registered, run, "HKEY_CURRENT_USER");
  ExpectOwnRecord(after.odbc.user, registered, run);
  if (!registered) {
    EXPECT_TRUE(after.odbc.machine == before.odbc.machine) << "a machine-wide key changed";
    EXPECT_TRUE(after.odbc.user == before.odbc.user) << "a per-user key changed";
  }
  ExpectProfiles(before.odbc, after.odbc, registered);
  ExpectEngineConfig(before.odbc.aliasConfig, after.odbc.aliasConfig,
                     reach >= Reach::kRegistration);
  ExpectDriverFiles(before, after, reach == Reach::kConnectionTest);
}
