// The fault matrix: the real program installs the data source LtFault with AUTO in the test's
// prefix, against the real MariaDB server or a server of the test's own, under one fault at a
// time made with real registry, file and server states. Every case checks that the failure is
// shown (the error box and exit code 2, or exit code 1 for a failed connection test; 2 too when
// start-up failed, so that AUTO got no run at all) and that
// nothing else is lost: another data source's records and INI lines, the default "mysql"
// record, the saved settings, the engine configuration file (byte for byte where the run did
// not get to it) and the driver files already there.
//
// Before the cases the real program installs LtOther with AUTO against the real server; that
// state is put back before every case.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../unit/dbengine/win32/DataSourceFixture.h"
#include "../../unit/dbengine/win32/MisbehavingServer.h"
#include "app/DataSourceNameMessages.h"
#include "app/win32/OtherArchitecture.h"
#include "app/win32/SettingsStore.h"
#include "dbengine/AliasConfig.h"
#include "dbengine/DataSourceName.h"
#include "dbengine/win32/RegistrySessionStorage.h"
#include "framework/win32/AtomicFile.h"
#include "framework/win32/Registry.h"
#include "tests/integration/win32/FaultMatrixHarness.h"
#include "tests/integration/win32/LintoraProcess.h"
#include "tests/integration/win32/PrefixState.h"

namespace {

// A fault of the prefix, in place from its making until it goes away; it may check afterwards
// that the run did not get around it.
class Fault {
 public:
  virtual ~Fault() = default;
  virtual void CheckAfterRun(const PrefixState& /*after*/) const {}
};

using MakeFault = std::function<std::unique_ptr<Fault>(InstallRun&)>;
using Message = std::function<std::string()>;

// One case: the fault, and what the run must show and have done before the fault stopped it.
struct FaultCase {
  const char* name;
  // Makes the fault, which may change what the run is given (a server's port, a password).
  MakeFault makeFault;
  Reach reach;
  DWORD exitCode;
  Message errorBox;  // the message shown; empty for no box
  std::function<void(const PrefixState& before, const PrefixState& after)> alsoCheck;
};

template <typename State>
class Holding : public Fault {
 public:
  template <typename... Args>
  explicit Holding(InstallRun&, Args&&... args) : state(std::forward<Args>(args)...) {}
  State state;
};

// --- the faults ---------------------------------------------------------------------------------

class RecordLinkedToNowhere : public Fault {
 public:
  explicit RecordLinkedToNowhere(InstallRun&)
      : link_(HKEY_LOCAL_MACHINE, std::string(kOdbcIni) + kName) {}
  void CheckAfterRun(const PrefixState&) const override {
    EXPECT_FALSE(link_.TargetExists()) << "the run wrote through the link";
  }

 private:
  DanglingLink link_;
};

// As for an account without administrator rights: no machine-wide key can be opened with full
// access. Wine lets a key be created below a key that grants no right to create subkeys, so the
// one key the run would make, the record of the new data source, is a link to nowhere too.
class MachineWideKeysReadOnly : public Fault {
 public:
  explicit MachineWideKeysReadOnly(InstallRun& run)
      : newRecord_(run), tree_(HKEY_LOCAL_MACHINE, OdbcTree) {}

 private:
  RecordLinkedToNowhere newRecord_;
  ReadOnlyTree tree_;
};

struct DriverFilesRemoved {
  DriverFilesRemoved() {
    for (const char* name : DriverFileNames) DeleteFileA(SystemFile(name).c_str());
  }
};

// The four driver files gone and a folder where the third one should be written.
class DriverFileBlocked : public Fault {
 public:
  explicit DriverFileBlocked(InstallRun&) : folder_(SystemFile(DriverFileNames[2])) {}
  void CheckAfterRun(const PrefixState& after) const override {
    // The lower-numbered files stay written, with the bytes of a complete installation; the
    // fourth is never started.
    for (int i : {0, 1})
      EXPECT_TRUE(after.driverFiles.at(DriverFileNames[i]).copy ==
                  Baseline().driverFiles.at(DriverFileNames[i]).copy)
          << DriverFileNames[i] << " is not the whole driver file";
    EXPECT_FALSE(after.driverFiles.at(DriverFileNames[3]).copy.exists);
  }

 private:
  DriverFilesRemoved removed_;
  FolderInTheWay folder_;
};

// A server port where nobody listens: the socket holds it so that nothing else takes it.
class RefusingServer : public Fault {
 public:
  explicit RefusingServer(InstallRun& run) { run.port = listener_.Port(); }

 private:
  LoopbackListener listener_;
};

// Misbehaves for longer than the program may wait, so the program must give up on its own.
class StallingServer : public Fault {
 public:
  StallingServer(InstallRun& run, MisbehavingServer::Fault fault)
      : server_(fault, std::chrono::seconds(40)) {
    run.port = server_.Port();
  }
  void CheckAfterRun(const PrefixState&) const override {
    EXPECT_TRUE(server_.ClientArrived()) << "the program never connected";
    EXPECT_TRUE(server_.StillMisbehaving()) << "the program waited until the server hung up";
  }

 private:
  MisbehavingServer server_;
};

// Lines the engine's own writer never makes, around the entry of the other data source.
class DamagedEngineConfig : public Fault {
 public:
  explicit DamagedEngineConfig(InstallRun&) {
    const FileCopy file = ReadFileCopy(DefaultConfigFilePath());
    WriteFileCopy(DefaultConfigFilePath(), {true, "[]\r\nA=1\r\n[a]b]\r\nB=2\r\n" + file.bytes +
                                                      "[Unclosed\r\nno equals sign\r\n[ =x\r\n"});
  }
  void CheckAfterRun(const PrefixState& after) const override {
    // What the engine could not keep is gone; what it kept saves again as it reads.
    const std::string& text = after.odbc.aliasConfig.bytes;
    EXPECT_EQ(AliasConfig::Parse(text).Serialise(), text);
    EXPECT_EQ(text.find("[]"), std::string::npos) << text;
  }
};

// A folder where the engine writes its new configuration before it replaces the old one.
class EngineConfigBlocked : public Fault {
 public:
  explicit EngineConfigBlocked(InstallRun&) : folder_(TemporaryFileFor(DefaultConfigFilePath())) {}

 private:
  FolderInTheWay folder_;
};

// A value that is not a string where start-up reads one, as another tool may leave it: start-up
// stops with the registry layer's message, so AUTO gets no run.
class NumberInsteadOfText : public Fault {
 public:
  NumberInsteadOfText(InstallRun&, std::string keyPath, std::string name) {
    const DWORD number = 5;
    EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), REG_DWORD, &number,
                              sizeof number),
              ERROR_SUCCESS);
  }
};

std::string HostListKeyPath() {
  return std::string(NameListKeyPath).substr(1) + HostListName;
}

// A language file line that sets a property to what it cannot hold: the language step of
// start-up fails (before the dialog's own handler is installed, so the system's box shows it)
// and AUTO gets no run.
class DamagedLanguageFile : public Fault {
 public:
  explicit DamagedLanguageFile(InstallRun&) : path_(GetUserDataFolder() + "Taiwan.Prop") {
    WriteFileCopy(path_, {true, "[TLintoraForm]\r\nLabel1.Alignment=taNowhere\r\n"});
  }
  ~DamagedLanguageFile() override { DeleteFileA(path_.c_str()); }

 private:
  std::string path_;
};

// --- the table ----------------------------------------------------------------------------------

// A fault of type T made with the run and args.
template <typename T, typename... Args>
MakeFault Make(Args... args) {
  return
      [=](InstallRun& run) -> std::unique_ptr<Fault> { return std::make_unique<T>(run, args...); };
}

// A run that needs no fault of the prefix, only other input.
MakeFault Given(std::function<void(InstallRun&)> change) {
  return [change](InstallRun& run) -> std::unique_ptr<Fault> {
    change(run);
    return nullptr;
  };
}

std::string NoBox() {
  return std::string();
}

const FaultCase kCases[] = {
    {"SettingsKeyReadOnly",
     Make<Holding<ReadOnlyKey>>(HKEY_CURRENT_USER, SettingsTree,
                                std::map<std::string, std::string>()),
     Reach::kNothing, 2, [] { return std::string("Failed to set data for 'DbTYPE'"); }, nullptr},
    {"MachineWideRecordLinkedToNowhere", Make<RecordLinkedToNowhere>(), Reach::kConnectionTest, 0,
     NoBox, nullptr},
    {"MachineWideKeysReadOnly", Make<MachineWideKeysReadOnly>(), Reach::kConnectionTest, 0, NoBox,
     [](const PrefixState& before, const PrefixState& after) {
       EXPECT_EQ(StringRecords(after.odbc.machine), StringRecords(before.odbc.machine));
     }},
    {"DriverFileBlockedByAFolder", Make<DriverFileBlocked>(), Reach::kRegistration, 2,
     [] { return "Cannot create file " + SystemFile(DriverFileNames[2]); }, nullptr},
    {"ServerRefuses", Make<RefusingServer>(), Reach::kConnectionTest, 1, NoBox, nullptr},
    {"ServerSilent", Make<StallingServer>(MisbehavingServer::Fault::kSilent),
     Reach::kConnectionTest, 1, NoBox, nullptr},
    {"ServerDrips", Make<StallingServer>(MisbehavingServer::Fault::kDripsGreeting),
     Reach::kConnectionTest, 1, NoBox, nullptr},
    {"TlsServerStallsAfterHello",
     Make<StallingServer>(MisbehavingServer::Fault::kStallsAfterServerHello),
     Reach::kConnectionTest, 1, NoBox, nullptr},
    {"TlsRequestAnsweredInPlain",
     Make<StallingServer>(MisbehavingServer::Fault::kAnswersTlsWithPlain), Reach::kConnectionTest,
     1, NoBox, nullptr},
    {"WrongPassword", Given([](InstallRun& run) { run.password = "not-" + run.password; }),
     Reach::kConnectionTest, 1, NoBox, nullptr},
    {"UnknownHost", Given([](InstallRun& run) { run.server = "no-such-host.invalid"; }),
     Reach::kConnectionTest, 1, NoBox, nullptr},
    {"EngineConfigDamaged", Make<DamagedEngineConfig>(), Reach::kConnectionTest, 0, NoBox, nullptr},
    {"SettingsValueNotAString",
     Make<NumberInsteadOfText>(std::string(SettingsTree), std::string("User")), Reach::kNothing, 2,
     [] { return std::string("Invalid data type for 'User'"); }, nullptr},
    {"HostListValueNotAString", Make<NumberInsteadOfText>(HostListKeyPath(), std::string("Value1")),
     Reach::kNothing, 2, [] { return std::string("Invalid data type for 'Value1'"); }, nullptr},
    {"LanguageFileDamaged", Make<DamagedLanguageFile>(), Reach::kNothing, 2,
     [] { return std::string("Invalid property element: taNowhere"); }, nullptr},
    {"EngineConfigNotWritable", Make<EngineConfigBlocked>(), Reach::kProfiles, 2,
     [] { return "Cannot write the engine configuration file " + DefaultConfigFilePath(); },
     nullptr},
};

class FaultMatrix : public ::testing::TestWithParam<FaultCase> {
 protected:
  static void SetUpTestSuite() { InstallBaseline(); }
  static void TearDownTestSuite() { PutBackWhatWasThere(); }
  void SetUp() override { Baseline().Restore(); }
};

}  // namespace

TEST_P(FaultMatrix, FailureIsShownAndNothingElseIsLost) {
  const FaultCase& fault = GetParam();
  InstallRun run = DefaultRun();
  const std::unique_ptr<Fault> made = fault.makeFault(run);
  ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "the fault could not be made";
  SaveRunSettings(run);
  const PrefixState before = PrefixState::Read();
  const Outcome outcome = RunAuto(run);

  EXPECT_EQ(outcome.errorBox, fault.errorBox());
  EXPECT_EQ(outcome.exitCode, fault.exitCode);
  const PrefixState after = PrefixState::Read();
  ExpectNothingElseLost(before, after, fault.reach, run);
  if (made) made->CheckAfterRun(after);
  if (fault.alsoCheck) fault.alsoCheck(before, after);
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultMatrix, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                           return std::string(info.param.name);
                         });

// --- refused data source names ------------------------------------------------------------------

namespace {

// One running dialog for all the refused names: each is typed into the data source box and
// installed with the install button, as a user would.
class RefusedName : public ::testing::TestWithParam<char> {
 protected:
  static void SetUpTestSuite() {
    InstallBaseline();
    Baseline().Restore();
    const InstallRun run = DefaultRun();
    program_ = new LintoraProcess({run.dataSource, run.server, run.password});
  }
  static void TearDownTestSuite() {
    // The last run of the process ended with an error.
    EXPECT_EQ(program_->CloseDialog(), 2u);
    delete program_;
    program_ = nullptr;
    PutBackWhatWasThere();
  }
  static LintoraProcess* program_;
};
LintoraProcess* RefusedName::program_ = nullptr;

// Client positions of the data source box (on the panel at 28,14) and of the install button.
constexpr int kDataSourceLeft = 28 + 96, kDataSourceTop = 14 + 54;
constexpr int kInstallLeft = 190, kInstallTop = 330;

}  // namespace

TEST_P(RefusedName, IsShownAndOnlyTheSettingsAreSaved) {
  ASSERT_NE(program_->WaitForDialog(), nullptr);
  InstallRun run = DefaultRun();
  run.dataSource = std::string("Lt") + GetParam() + "Name";
  const PrefixState before = PrefixState::Read();

  HWND dataSource = program_->ControlAt(kDataSourceLeft, kDataSourceTop);
  HWND install = program_->ControlAt(kInstallLeft, kInstallTop);
  ASSERT_TRUE(dataSource && install) << "no data source box or install button";
  program_->SetControlText(dataSource, run.dataSource);
  const std::string shown = program_->ClickAndAnswer(install);

  EXPECT_EQ(shown, DataSourceNameMessage(CheckNewDataSourceName(run.dataSource), run.dataSource));
  ExpectNothingElseLost(before, PrefixState::Read(), Reach::kSettings, run);
}

INSTANTIATE_TEST_SUITE_P(EachForbiddenCharacter, RefusedName,
                         ::testing::ValuesIn(std::string(ForbiddenDataSourceNameCharacters)),
                         [](const ::testing::TestParamInfo<char>& info) {
                           return "Code" + std::to_string(static_cast<int>(info.param));
                         });

// --- the other architecture ---------------------------------------------------------------------

namespace {

// The last run's block of the run log.
std::string LastRunLogBlock() {
  std::ifstream file(GetUserDataFolder() + "Lintora.log", std::ios::binary);
  const std::string log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t start = log.rfind("\n[");
  return start == std::string::npos ? log : log.substr(start + 1);
}

}  // namespace

// On 64-bit Windows the run then serves the other architecture. With its share blocked (a folder
// where one of its driver files goes, its view's record of the new data source unopenable) each
// blocked step is abandoned alone and named with the system's reason in the run log, and the
// run's own installation is whole: exit code 0, no box, nothing lost.
TEST(OtherArchitecture, BlockedStepsAreAbandonedAloneAndLogged) {
  const auto other = OtherArchitecture();
  // The other view is reached here by its place in the 64-bit registry.
  if (!other || sizeof(void*) != 8) GTEST_SKIP() << "no 32-bit architecture beside this program";
  InstallBaseline();
  Baseline().Restore();
  const InstallRun run = DefaultRun();
  const std::string blockedFile = other->systemDirectory + DriverFileNames[2];
  const std::string blockedRecord = "Software\\Wow6432Node\\ODBC\\ODBC.INI\\" + std::string(kName);
  DeleteFileA(blockedFile.c_str());
  {
    const FolderInTheWay folder(blockedFile);
    const ReadOnlyKey record(HKEY_LOCAL_MACHINE, blockedRecord, {});
    SaveRunSettings(run);
    const PrefixState before = PrefixState::Read();
    const Outcome outcome = RunAuto(run);

    EXPECT_EQ(outcome.errorBox, "");
    EXPECT_EQ(outcome.exitCode, 0u);
    ExpectNothingElseLost(before, PrefixState::Read(), Reach::kConnectionTest, run);
    const std::string block = LastRunLogBlock();
    EXPECT_NE(block.find("  write the 32-bit driver file " + blockedFile + ": abandoned: "),
              std::string::npos)
        << block;
    EXPECT_NE(block.find("  32-bit machine-wide record HKEY_LOCAL_MACHINE\\" +
                         std::string(kOdbcIni) + kName + ": abandoned: "),
              std::string::npos)
        << block;
    EXPECT_NE(block.find("  write the 32-bit driver file " + other->systemDirectory +
                         DriverFileNames[3] + ": "),
              std::string::npos)
        << "the file after the blocked one was not attempted\n"
        << block;
  }
  PutBackWhatWasThere();
}
