// The session's alias store on the real registry and a configuration file in a scratch folder:
// data sources as aliases, the layers of the configuration mode, and saving that survives a
// crash between writing and replacing the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "DataSourceFixture.h"
#include "dbengine/Session.h"
#include "dbengine/win32/RegistrySessionStorage.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/win32/AtomicFile.h"
#include "framework/win32/FileHandle.h"

namespace {

std::string ScratchConfigPath() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + UniqueName("lintora-aliases-") + ".cfg";
}

std::string FileText(const std::string& path) {
  return RegistrySessionStorage(path).ReadConfigFile();
}

class AliasStore : public ::testing::Test {
 protected:
  void TearDown() override {
    RemoveFile(path);
    RemoveFile(TemporaryFileFor(path));
  }
  std::unique_ptr<TSession> NewSession() {
    const std::string configPath = path;
    return std::make_unique<TSession>(
        [configPath] { return std::make_unique<RegistrySessionStorage>(configPath); });
  }

  std::string path = ScratchConfigPath();
  ScopedDataSource source{UniqueName("LtAlias"),
                          {{"Server", "db.example"},
                           {"Port", "3307"},
                           {"User", "clerk"},
                           {"Password", "pw"},
                           {"DataBase", "sales"},
                           {"CHARSET", "big5"}}};
};

}  // namespace

TEST_F(AliasStore, DataSourceIsAnAliasWithRecordValuesAndEngineDefaults) {
  auto session = NewSession();
  EXPECT_FALSE(session->Active());
  TStringList params;
  params.Add("left over");
  session->GetAliasParams(source.Name(), params);
  EXPECT_TRUE(session->Active());  // alias operations start the engine
  EXPECT_EQ(params.IndexOf("left over"), -1);
  EXPECT_EQ(params.Values("ODBC DSN"), source.Name());
  EXPECT_EQ(params.Values("DATABASE NAME"), "sales");
  EXPECT_EQ(params.Values("SERVER NAME"), "db.example");
  EXPECT_EQ(params.Values("USER NAME"), "clerk");
  EXPECT_EQ(params.Values("BLOB SIZE"), "32");
  EXPECT_EQ(params.Values("BLOBS TO CACHE"), "64");
  EXPECT_EQ(params.IndexOfName("Password"), -1);  // the password stays in the record
}

TEST_F(AliasStore, MachineDataSourcesAreAliasesToo) {
  const ScopedDataSource machine(UniqueName("LtMachine"), {{"DataBase", "stock"}},
                                 HKEY_LOCAL_MACHINE);
  auto session = NewSession();
  TStringList params;
  session->GetAliasParams(machine.Name(), params);
  EXPECT_EQ(params.Values("DATABASE NAME"), "stock");
}

// 許功 is B3 5C A5 5C in Big5: the second bytes are no backslashes, and the data source is found.
TEST_F(AliasStore, DataSourceNamedWithBackslashLikeSecondBytesIsAnAlias) {
  const ScopedDataSource chinese(UniqueName("\xb3\x5c\xa5\x5c"), {{"DataBase", "ledger"}});
  auto session = NewSession();
  TStringList params;
  session->GetAliasParams(chinese.Name(), params);
  EXPECT_EQ(params.Values("DATABASE NAME"), "ledger");
  // The keys the driver manager keeps beside the data sources are never aliases.
  const ScopedDataSource reserved("ODBC File DSN", {{"DataBase", "ledger"}});
  EXPECT_FALSE(session->IsAlias("ODBC File DSN"));
}

TEST_F(AliasStore, UnknownAliasRaisesAfterEmptyingTheList) {
  auto session = NewSession();
  TStringList params;
  params.Add("A=1");
  EXPECT_THROW(session->GetAliasParams("LtNoSuchAlias", params), EDatabaseError);
  EXPECT_EQ(params.Count(), 0);
  try {
    session->ModifyAlias("LtNoSuchAlias", params);
    FAIL() << "modified an unknown alias";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Invalid alias name LtNoSuchAlias");
  }
  session->DeleteAlias("LtNoSuchAlias");  // no error
}

TEST_F(AliasStore, ModifyChangesOnlyExistingParametersAndSavedChangesComeBack) {
  auto session = NewSession();
  TStringList changes;
  changes.Add("BLOB SIZE=128");
  changes.Add("NOT A PARAMETER=1");
  changes.Add("blobs to cache=10");  // parameter names ignore case
  session->ModifyAlias(source.Name(), changes);
  session->SaveConfigFile();

  auto later = NewSession();
  TStringList params;
  later->GetAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "128");
  EXPECT_EQ(params.Values("BLOBS TO CACHE"), "10");
  EXPECT_EQ(params.IndexOfName("NOT A PARAMETER"), -1);
  EXPECT_EQ(params.Values("DATABASE NAME"), "sales");

  // Deleting the alias removes the saved changes; the data source itself stays an alias.
  later->DeleteAlias(source.Name());
  later->SaveConfigFile();
  EXPECT_EQ(FileText(path).find(source.Name()), std::string::npos);
  later->GetAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "32");
}

TEST_F(AliasStore, SessionLayerChangesAreNeverSaved) {
  auto session = NewSession();
  session->SetConfigMode({cfmSession, cfmVirtual});
  TStringList changes;
  changes.Add("BLOB SIZE=7");
  session->ModifyAlias(source.Name(), changes);
  TStringList params;
  session->GetAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "7");
  session->SaveConfigFile();
  EXPECT_EQ(session->ConfigMode(), (TConfigModes{cfmSession, cfmVirtual}));
  session->SetConfigMode({cfmPersistent});
  session->GetAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "32");
  EXPECT_EQ(FileText(path).find("BLOB SIZE=7"), std::string::npos);
}

TEST_F(AliasStore, CrashBetweenWriteAndReplaceLeavesTheOldFile) {
  auto session = NewSession();
  TStringList changes;
  changes.Add("BLOB SIZE=100");
  session->ModifyAlias(source.Name(), changes);
  session->SaveConfigFile();
  const std::string saved = FileText(path);
  ASSERT_NE(saved.find("BLOB SIZE=100"), std::string::npos);

  // The next save got as far as its temporary file (cut short) and then the process died.
  ASSERT_TRUE(WriteTemporaryFile(path, "[" + source.Name() + "]\r\nBLOB SI"));
  EXPECT_EQ(FileText(path), saved);
  auto afterCrash = NewSession();
  TStringList params;
  afterCrash->GetAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "100");

  // The next save replaces both the file and the leftover.
  changes.Clear();
  changes.Add("BLOB SIZE=200");
  afterCrash->ModifyAlias(source.Name(), changes);
  afterCrash->SaveConfigFile();
  EXPECT_NE(FileText(path).find("BLOB SIZE=200"), std::string::npos);
  EXPECT_FALSE(FileExists(TemporaryFileFor(path)));
}

TEST_F(AliasStore, FailedSaveRaisesAndKeepsTheFile) {
  auto session = NewSession();
  session->SaveConfigFile();
  const std::string saved = FileText(path);
  // A folder in the temporary file's place makes writing it impossible.
  ASSERT_TRUE(CreateDirectoryA(TemporaryFileFor(path).c_str(), nullptr));
  TStringList changes;
  changes.Add("BLOB SIZE=5");
  session->ModifyAlias(source.Name(), changes);
  session->SetConfigMode({cfmPersistent, cfmSession});
  EXPECT_THROW(session->SaveConfigFile(), EDatabaseError);
  EXPECT_EQ(session->ConfigMode(), (TConfigModes{cfmPersistent, cfmSession}));
  EXPECT_EQ(FileText(path), saved);
  RemoveDirectoryA(TemporaryFileFor(path).c_str());
}

TEST_F(AliasStore, PersistentAliasWithoutDataSourceAndHandEditedFile) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string text =
      "; kept by hand\r\n[Archive]\r\nPATH=C:\\data\r\n\r\n[archive]\r\nX=1\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);

  auto session = NewSession();
  TStringList params;
  session->GetAliasParams("ARCHIVE", params);
  EXPECT_EQ(params.Values("PATH"), "C:\\data");
  EXPECT_EQ(params.Values("X"), "1");
  EXPECT_TRUE(session->IsAlias("archive"));
  session->SetConfigMode({cfmVirtual});
  EXPECT_FALSE(session->IsAlias("archive"));  // not a data source
  EXPECT_TRUE(session->IsAlias(source.Name()));
}

TEST_F(AliasStore, DamagedFileStillLetsEverySaveThrough) {
  const std::string damaged =
      "[]\r\nA=1\r\n[a]b]\r\nB=2\r\n[Archive]\r\n[x=1\r\nPATH=C:\\data\r\n[x]=1\r\n";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, damaged.data(), static_cast<DWORD>(damaged.size()), &written, nullptr);
  CloseHandle(file);

  auto session = NewSession();
  TStringList changes;
  changes.Add("BLOB SIZE=99");
  session->ModifyAlias(source.Name(), changes);
  session->SaveConfigFile();
  session->DeleteAlias("");  // what the reader dropped needs no removing
  session->SaveConfigFile();
  EXPECT_EQ(FileText(path),
            "[Archive]\r\nPATH=C:\\data\r\n\r\n[" + source.Name() + "]\r\nBLOB SIZE=99\r\n\r\n");
}

TEST_F(AliasStore, DataSourceNameTheFileCannotHoldIsRefusedWithoutHarmingLaterSaves) {
  // Another tool may have registered a name that no section can carry.
  const ScopedDataSource odd(UniqueName("Lt]Odd"), {{"DataBase", "odd"}});
  auto session = NewSession();
  TStringList changes;
  changes.Add("BLOB SIZE=7");
  try {
    session->ModifyAlias(odd.Name(), changes);
    FAIL() << "changed an alias the file cannot hold";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Invalid alias name " + odd.Name());
  }
  session->ModifyAlias(source.Name(), changes);
  session->SaveConfigFile();
  EXPECT_NE(FileText(path).find("BLOB SIZE=7"), std::string::npos);
  TStringList params;
  session->GetAliasParams(odd.Name(), params);  // still an alias, with its own parameters
  EXPECT_EQ(params.Values("BLOB SIZE"), "32");
}
