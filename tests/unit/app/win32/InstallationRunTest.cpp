// The installation run of the dialog read from the program's stored form, in this process: the
// driver files in the prefix's real system directory, the connection test against the real
// MariaDB server of the test run, the result page and the outcome the exit code reports.
#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, which must come before it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/InstallationSteps.h"
#include "app/win32/DriverFiles.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SettingsStore.h"
#include "app/win32/SystemPrograms.h"
#include "components/BinStream.h"
#include "components/ZipLzImp.h"
#include "controls/win32/Application.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Image.h"
#include "controls/win32/Label.h"
#include "controls/win32/MessageBox.h"
#include "controls/win32/Notebook.h"
#include "dbengine/SqlIdentifier.h"
#include "dbengine/win32/Database.h"
#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/win32/AtomicFile.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/Registry.h"
#include "tests/unit/controls/win32/WindowInspection.h"
#include "tests/unit/dbengine/win32/DataSourceFixture.h"

namespace {
const char* const kDriverFiles[] = {"Myodbc.dll", "Myodbcd.dll", "myodbc5a.dll", "myodbc5S.dll"};
const char* const kLink = "\xb3\x73\xb5\xb2";     // 連結
const char* const kSuccess = "\xa6\xa8\xa5\x5c";  // 成功
const char* const kFailure = "\xa5\xa2\xb1\xd1";  // 失敗

std::string SystemFile(const std::string& name) {
  return SysDir() + name;
}

void RemoveDriverFiles() {
  for (const char* name : kDriverFiles) {
    const std::string path = SystemFile(name);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveFile(path);
    RemoveDirectoryA(path.c_str());
  }
}

// The last-write time of the file as local time on its own date (with that date's daylight rule).
SYSTEMTIME LocalWriteTime(const std::string& path) {
  FILETIME utc{};
  SYSTEMTIME universal{}, local{};
  const FileHandle file = FileHandle::OpenForReading(path);
  EXPECT_TRUE(file.IsOpen()) << path;
  EXPECT_TRUE(file.LastWriteTime(utc));
  FileTimeToSystemTime(&utc, &universal);
  SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
  return local;
}

std::string Show(const SYSTEMTIME& t) {
  char text[32];
  snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
           t.wMinute, t.wSecond);
  return text;
}

FILETIME AllTimes(const std::string& path, FILETIME& created, FILETIME& accessed) {
  FILETIME written{};
  const FileHandle file = FileHandle::OpenForReading(path);
  GetFileTime(file.Get(), &created, &accessed, &written);
  return written;
}

// A file of the given bytes whose last-write time is that local time.
void MakeFileAt(const std::string& path, const std::string& bytes, WORD year) {
  WriteFileBytes(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  const SYSTEMTIME local = {year, 3, 0, 4, 5, 6, 8, 0};
  SYSTEMTIME universal;
  FILETIME utc;
  TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal);
  SystemTimeToFileTime(&universal, &utc);
  FileHandle file = FileHandle::OpenExclusive(path);
  ASSERT_TRUE(file.SetLastWriteTime(utc));
}

std::string FileText(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

class InstallationRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterLintoraFormClasses(); }
  void SetUp() override {
    ASSERT_TRUE(ReadMySqlServer(server_));
    TRegistry().DeleteKey(SettingsKeyPath);
    RemoveDriverFiles();
  }
  void TearDown() override {
    form_.reset();
    Application->OnException = nullptr;
    TRegistry().DeleteKey(SettingsKeyPath);
    RemoveDriverFiles();
  }

  TLintoraForm& Start(const std::string& commandLine = "Lintora.exe") {
    form_ = ReadLintoraForm();
    form_->SetCommandLine(commandLine);
    form_->DoCreate();
    return *form_;
  }

  // The bytes the program carries for the driver file, unpacked when held packed.
  std::vector<uint8_t> CarriedBytes(int number) {
    TBinStream* bin =
        dynamic_cast<TBinStream*>(form_->FindComponent("BinStream" + std::to_string(number)));
    if (!bin) return {};
    if (!bin->Compress()) return bin->Data().Bytes();
    TMemoryStream container, plain;
    container.CopyFrom(bin->Data());
    container.Seek(0);
    DecompressStream(container, plain);
    return plain.Bytes();
  }

  // A data source on the test server named like the stem, whose record opens `database`.
  std::unique_ptr<ScopedDataSource> DataSource(const std::string& name, const std::string& database,
                                               const std::string& password) {
    return std::make_unique<ScopedDataSource>(name, ServerRecord(server_, database, password));
  }

  void ExpectSuccessPage(const std::string& name) {
    TLintoraForm& form = *form_;
    EXPECT_EQ(form.LabelMsg->Caption(), std::string(kLink) + name + kSuccess);
    EXPECT_EQ(form.ImageA->Picture().Bytes(), form.Image3->Picture().Bytes());
    EXPECT_FALSE(form.Memo1->Visible());
    EXPECT_FALSE(form.BtnPrior->Visible());
  }
  // The failure page, with the engine's message holding `part`.
  void ExpectFailurePage(const std::string& name, const std::string& part) {
    TLintoraForm& form = *form_;
    EXPECT_EQ(form.LabelMsg->Caption(), std::string(kLink) + name + kFailure);
    EXPECT_EQ(form.ImageA->Picture().Bytes(), form.Image4->Picture().Bytes());
    EXPECT_TRUE(form.Memo1->Visible());
    EXPECT_NE(form.Memo1->Lines().Text().find(part), std::string::npos)
        << form.Memo1->Lines().Text();
    EXPECT_TRUE(form.BtnPrior->Visible());
  }

  MySqlServer server_;
  std::unique_ptr<TLintoraForm> form_;
};

template <typename Error, typename Action>
void ExpectError(Action action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no error, expected: " << message;
  } catch (const Error& error) {
    EXPECT_EQ(error.Message(), message);
  }
}
}  // namespace

TEST_F(InstallationRun, DriverFilesAreTheCarriedBytesWithTheirStoredTimes) {
  TLintoraForm& form = Start();
  form.WriteDriverFiles();
  const char* const times[] = {"2000/10/23 11:07:26", "2000/10/23 11:07:50", "2014/06/19 00:54:24",
                               "2014/06/19 00:54:22"};
  for (int i = 0; i < 4; ++i) {
    const std::string path = SystemFile(kDriverFiles[i]);
    EXPECT_EQ(ReadFileBytes(path), CarriedBytes(i + 1)) << path;
    EXPECT_EQ(Show(LocalWriteTime(path)), times[i]) << path;
  }
}

TEST_F(InstallationRun, ExistingDriverFilesKeepTheirBytesAndTimes) {
  MakeFileAt(SystemFile("Myodbc.dll"), "older driver", 1999);
  MakeFileAt(SystemFile("myodbc5a.dll"), "newer driver", 2031);
  TLintoraForm& form = Start();
  form.WriteDriverFiles();
  EXPECT_EQ(FileText(SystemFile("Myodbc.dll")), "older driver");
  EXPECT_EQ(Show(LocalWriteTime(SystemFile("Myodbc.dll"))), "1999/03/04 05:06:08");
  EXPECT_EQ(FileText(SystemFile("myodbc5a.dll")), "newer driver");
  EXPECT_EQ(Show(LocalWriteTime(SystemFile("myodbc5a.dll"))), "2031/03/04 05:06:08");
  EXPECT_EQ(ReadFileBytes(SystemFile("Myodbcd.dll")), CarriedBytes(2));
  EXPECT_EQ(ReadFileBytes(SystemFile("myodbc5S.dll")), CarriedBytes(4));
}

TEST_F(InstallationRun, UncreatableDriverFileEndsTheRunKeepingTheFilesBeforeIt) {
  const std::string blocked = SystemFile("myodbc5a.dll");
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  TLintoraForm& form = Start();
  ExpectError<EFileError>([&] { form.WriteDriverFiles(); }, "Cannot create file " + blocked);
  EXPECT_TRUE(FileExists(SystemFile("Myodbc.dll")));
  EXPECT_TRUE(FileExists(SystemFile("Myodbcd.dll")));
  EXPECT_TRUE(DirectoryExists(blocked));
  EXPECT_FALSE(FileExists(SystemFile("myodbc5S.dll")));
}

// A file takes its place only whole and stamped: a date that cannot be read leaves no file.
TEST_F(InstallationRun, UnreadableFileDateEndsTheRunBeforeThatFileTakesItsPlace) {
  TLintoraForm& form = Start();
  auto* second = dynamic_cast<TBinStream*>(form.FindComponent("BinStream2"));
  ASSERT_NE(second, nullptr);
  second->SetFileDate("23/10/2000 11:07:50 ");
  ExpectError<EConvertError>([&] { form.WriteDriverFiles(); },
                             "'23/10/2000 11:07:50 ' is not a valid date and time");
  EXPECT_EQ(ReadFileBytes(SystemFile("Myodbc.dll")), CarriedBytes(1));
  EXPECT_FALSE(FileExists(SystemFile("Myodbcd.dll")));
  EXPECT_FALSE(FileExists(TemporaryFileFor(SystemFile("Myodbcd.dll"))));
  EXPECT_FALSE(FileExists(SystemFile("myodbc5a.dll")));
}

// A write that cannot finish (here a folder where the temporary file goes) leaves what was there
// byte for byte, and no part of the new file under either name.
TEST_F(InstallationRun, InterruptedDriverFileWriteLeavesThePreviousState) {
  MakeFileAt(SystemFile("Myodbc.dll"), "older driver", 1999);
  const std::string temporary = TemporaryFileFor(SystemFile("myodbc5a.dll"));
  ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
  TLintoraForm& form = Start();
  ExpectError<EFileError>([&] { form.WriteDriverFiles(); }, "Cannot create file " + temporary);
  EXPECT_EQ(FileText(SystemFile("Myodbc.dll")), "older driver");
  EXPECT_EQ(Show(LocalWriteTime(SystemFile("Myodbc.dll"))), "1999/03/04 05:06:08");
  EXPECT_EQ(ReadFileBytes(SystemFile("Myodbcd.dll")), CarriedBytes(2));
  EXPECT_FALSE(FileExists(SystemFile("myodbc5a.dll")));
  EXPECT_TRUE(DirectoryExists(temporary));
  EXPECT_FALSE(FileExists(SystemFile("myodbc5S.dll")));
  RemoveDirectoryA(temporary.c_str());
}

// A stored name that would leave the system directory stops the run before anything is written.
TEST_F(InstallationRun, DriverFileNameWithAPathWritesNothing) {
  for (const char* stored : {"C:/../evil.dll", "C:\\drivers\\..", "D:sub/evil.dll"}) {
    RemoveDriverFiles();
    TLintoraForm& form = Start();
    auto* third = dynamic_cast<TBinStream*>(form.FindComponent("BinStream3"));
    ASSERT_NE(third, nullptr);
    third->IncludeState(csLoading);  // the name as a stored form would bring it, bytes kept
    third->SetFileName(stored);
    third->ExcludeState(csLoading);
    const std::string name = DriverFileName(stored);
    ExpectError<EFileError>([&] { CheckDriverFileNames(form.DriverFiles()); },
                            NotAPlainFileNameMessage(name));
    ExpectError<EFileError>([&] { form.WriteDriverFiles(); }, NotAPlainFileNameMessage(name));
    for (const char* file : kDriverFiles) EXPECT_FALSE(FileExists(SystemFile(file))) << file;
    EXPECT_FALSE(FileExists(SystemFile("..\\evil.dll")));
  }
}

TEST_F(InstallationRun, SetFileDateChangesTheWriteTimeOnly) {
  const std::string path = SystemFile("Myodbc.dll");
  MakeFileAt(path, "x", 2001);
  FILETIME created, accessedBefore, accessedAfter;
  AllTimes(path, created, accessedBefore);
  SetFileDate(path, (20u << 25 | 10u << 21 | 23u << 16) | (11u << 11 | 7u << 5 | 13u));
  AllTimes(path, created, accessedAfter);
  EXPECT_EQ(Show(LocalWriteTime(path)), "2000/10/23 11:07:26");
  // Wine has no creation time of its own (it shows the earlier of the Unix change and write
  // times), so only the access time can be seen to stay.
  EXPECT_EQ(CompareFileTime(&accessedBefore, &accessedAfter), 0);

  SetFileDate(path, 0);  // a year the stamp cannot hold: the time stays
  EXPECT_EQ(Show(LocalWriteTime(path)), "2000/10/23 11:07:26");

  {
    const FileHandle holder = FileHandle::OpenForReading(path);  // no sharing with a writer
    ExpectError<EFileError>([&] { SetFileDate(path, 0); }, "Cannot open file " + path);
  }
  ExpectError<EFileError>([&] { SetFileDate(path + ".missing", 0); },
                          "Cannot open file " + path + ".missing");
}

TEST_F(InstallationRun, FailedConnectionThenSuccessRebuildsTheResultPage) {
  const std::string name = UniqueName("LtRun");
  auto source = DataSource(name, "mysql", "not-the-password");
  TLintoraForm& form = Start();
  form.CBox1->SetText(name);
  EXPECT_FALSE(form.TestConnection(false));
  ExpectFailurePage(name, "Access denied");

  source.reset();  // its end deletes the record of that name
  source = DataSource(name, "mysql", server_.password);
  EXPECT_TRUE(form.TestConnection(false));
  ExpectSuccessPage(name);
  EXPECT_TRUE(form.Database1->Connected());  // open until the next run closes it
}

TEST_F(InstallationRun, UnreachableServersAreReportedOnTheResultPage) {
  const std::string name = UniqueName("LtDown");
  LoopbackListener refusing;  // bound, never listening: the connection is refused
  LoopbackListener silent;    // accepts into its backlog and never answers
  silent.Listen();
  for (const LoopbackListener* server : {&refusing, &silent}) {
    auto record = ServerRecord(server_, "mysql", server_.password);
    for (auto& value : record)
      if (value.first == "Port") value.second = server->Port();
    const ScopedDataSource source(name, record);
    TLintoraForm& form = Start();
    form.Database1->SetTimeoutMs(1500);
    form.CBox1->SetText(name);
    EXPECT_FALSE(form.TestConnection(false));
    ExpectFailurePage(name, "");
    EXPECT_FALSE(form.Memo1->Lines().Text().empty());
  }
}

TEST_F(InstallationRun, CreateDatabaseMakesTheNamedDatabaseThroughTheDefaultDataSource) {
  const std::string name = UniqueName("lt`q");  // the backquote stays part of the one name
  const ScopedDataSource defaultSource("mysql", ServerRecord(server_, "mysql", server_.password));
  auto user = DataSource(name, name, server_.password);
  TLintoraForm& form = Start();
  form.CBox1->SetText(name);
  EXPECT_TRUE(form.TestConnection(true));
  ExpectSuccessPage("mysql");  // the test opened the default data source

  TDatabase created(nullptr);  // the user's data source opens the database now there
  created.SetDatabaseName(name);
  EXPECT_NO_THROW(created.Open());
  created.Execute("DROP DATABASE " + QuoteIdentifier(name, created.CharacterSet()));
}

TEST_F(InstallationRun, FailedDatabaseCreationLeavesTheResultPageUntouched) {
  LoopbackListener refusing;
  auto record = ServerRecord(server_, "mysql", server_.password);
  for (auto& value : record)
    if (value.first == "Port") value.second = refusing.Port();
  const ScopedDataSource defaultSource("mysql", record);
  TLintoraForm& form = Start();
  const std::string shownBefore = form.LabelMsg->Caption();
  const std::vector<uint8_t> iconBefore = form.ImageA->Picture().Bytes();
  form.CBox1->SetText("LtNoCreate");
  EXPECT_THROW(form.TestConnection(true), EDatabaseError);
  EXPECT_EQ(form.LabelMsg->Caption(), shownBefore);
  EXPECT_EQ(form.ImageA->Picture().Bytes(), iconBefore);
}

TEST_F(InstallationRun, WholeRunShowsTheResultPageAndTheExitCodeFollowsTheLastRun) {
  const std::string name = UniqueName("LtWhole");
  auto source = DataSource(name, "mysql", server_.password);
  TLintoraForm& form = Start();
  EXPECT_EQ(form.ExitCode(), 0);  // no run yet
  form.CBox0->SetText("mysql");   // not a generation: registers nothing, the run goes on
  form.CBox1->SetText(name);
  form.BtnStartSet->Click();
  EXPECT_EQ(form.ANotebook1->ActivePage(), "1");
  ExpectSuccessPage(name);
  EXPECT_EQ(form.ExitCode(), 0);
  EXPECT_EQ(ReadFileBytes(SystemFile("myodbc5S.dll")), CarriedBytes(4));
  TRegistry settings;
  ASSERT_TRUE(settings.OpenKey(SettingsKeyPath, false));
  EXPECT_EQ(settings.ReadString("Db"), name);  // saved first

  source.reset();
  source = DataSource(name, "mysql", "not-the-password");
  form.BtnPrior->Click();
  form.BtnStartSet->Click();
  EXPECT_EQ(form.ANotebook1->ActivePage(), "1");
  EXPECT_EQ(form.ExitCode(), 1);

  form.BtnPrior->Click();
  const std::string blocked = SystemFile("Myodbc.dll");
  RemoveDriverFiles();
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  EXPECT_THROW(form.BtnStartSet->Click(), EFileError);
  EXPECT_EQ(form.ANotebook1->ActivePage(), "0");
  EXPECT_EQ(form.ExitCode(), 2);
}

TEST_F(InstallationRun, AutoRunEndsStartUpWithTheOutcomeAndAnErrorOpensTheDialog) {
  const std::string name = UniqueName("LtAuto");
  auto source = DataSource(name, "mysql", server_.password);
  {
    TRegistry settings;
    ASSERT_TRUE(settings.OpenKey(SettingsKeyPath, true));
    settings.WriteString("DbTYPE", "mysql");
  }
  TLintoraForm& connected = Start("Lintora.exe " + name + " host pw AUTO");
  EXPECT_TRUE(connected.AutoRunFinished());
  EXPECT_EQ(connected.ExitCode(), 0);

  source.reset();
  source = DataSource(name, "mysql", "not-the-password");
  TLintoraForm& refused = Start("Lintora.exe " + name + " host pw AUTO");
  EXPECT_TRUE(refused.AutoRunFinished());
  EXPECT_EQ(refused.ExitCode(), 1);

  RemoveDriverFiles();
  const std::string blocked = SystemFile("Myodbcd.dll");
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  std::string boxText;
  const bool shown = AnswerMessageBox(
      "Cannot create", [&] { Start("Lintora.exe " + name + " host pw AUTO"); }, boxText);
  ASSERT_TRUE(shown);
  EXPECT_NE(boxText.find("Cannot create file " + blocked), std::string::npos) << boxText;
  EXPECT_FALSE(form_->AutoRunFinished());  // the dialog opens instead
  EXPECT_EQ(form_->ANotebook1->ActivePage(), "0");
  EXPECT_EQ(form_->ExitCode(), 2);
}
