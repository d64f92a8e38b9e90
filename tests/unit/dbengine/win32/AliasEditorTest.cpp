// TAliasEditor on the default session: the sequence the registration runs, the mode kept aside
// and restored on every path, empty names, and its stored properties.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "DataSourceFixture.h"
#include "dbengine/AliasEd.h"
#include "dbengine/Session.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/DbEngineClasses.h"
#include "dbengine/win32/LockFiles.h"
#include "dbengine/win32/Query.h"
#include "dbengine/win32/RegistrySessionStorage.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/Rtti.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"

namespace {

std::string ConfigText() {
  return RegistrySessionStorage(DefaultConfigFilePath()).ReadConfigFile();
}

class AliasEditor : public ::testing::Test {
 protected:
  void SetUp() override { Session().SetConfigMode(kCallerMode); }

  // Any mode other than the editor's, to see that the session gets it back.
  const TConfigModes kCallerMode{cfmVirtual, cfmSession};
  TAliasEditor editor{nullptr};
  ScopedDataSource source{UniqueName("LtEdit"), {{"DataBase", "demo"}, {"Server", "127.0.0.1"}}};
};

}  // namespace

TEST_F(AliasEditor, RegistrationSequenceStoresBlobParametersPersistently) {
  EXPECT_EQ(editor.ConfigMode(), TConfigModes{cfmPersistent});
  editor.RemoveAlias(source.Name());
  TStringList params;
  editor.ReadAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("DATABASE NAME"), "demo");
  params.SetValue("BLOB SIZE", "256");
  params.SetValue("BLOBS TO CACHE", "16");
  editor.WriteAliasParams(source.Name(), params);
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);

  const std::string text = ConfigText();
  EXPECT_NE(text.find("[" + source.Name() + "]\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("BLOB SIZE=256"), std::string::npos) << text;

  // Registering again starts from the data source's own parameters.
  editor.RemoveAlias(source.Name());
  EXPECT_EQ(ConfigText().find(source.Name()), std::string::npos);
  editor.ReadAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "32");
}

TEST_F(AliasEditor, UnknownParametersAreLeftOut) {
  TStringList params;
  params.Add("BLOB SIZE=64");
  params.Add("LT UNKNOWN=1");
  editor.WriteAliasParams(source.Name(), params);
  editor.ReadAliasParams(source.Name(), params);
  EXPECT_EQ(params.Values("BLOB SIZE"), "64");
  EXPECT_EQ(params.IndexOfName("LT UNKNOWN"), -1);
  EXPECT_EQ(ConfigText().find("LT UNKNOWN"), std::string::npos);
  editor.RemoveAlias(source.Name());
}

TEST_F(AliasEditor, ModeIsRestoredAfterFailures) {
  TStringList params;
  params.Add("BLOB SIZE=1");
  try {
    editor.WriteAliasParams("LtNoSuchAlias", params);
    FAIL() << "wrote an unknown alias";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Invalid alias name LtNoSuchAlias");
  }
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);

  params.Add("kept=1");
  editor.ReadAliasParams("LtNoSuchAlias", params);  // swallowed; the engine emptied the list
  EXPECT_EQ(params.Count(), 0);
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);

  // A configuration file that cannot be replaced fails the save after the change.
  const std::string blocker = DefaultConfigFilePath() + ".new";
  ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
  EXPECT_THROW(editor.RemoveAlias(source.Name()), EDatabaseError);
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);
  RemoveDirectoryA(blocker.c_str());
}

TEST_F(AliasEditor, EmptyNamesTouchNoAlias) {
  TStringList params;
  params.Add("BLOB SIZE=512");
  editor.WriteAliasParams(source.Name(), params);
  const std::string before = ConfigText();

  TStringList untouched;
  untouched.Add("A=1");
  editor.ReadAliasParams("", untouched);
  EXPECT_EQ(untouched.Text(), "A=1\r\n");
  editor.RemoveAlias("");  // still saves, deletes nothing
  EXPECT_EQ(ConfigText(), before);
  EXPECT_THROW(editor.WriteAliasParams("", params), EDatabaseError);
  EXPECT_EQ(ConfigText(), before);
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);
  editor.RemoveAlias(source.Name());
}

TEST_F(AliasEditor, RemovingAMissingAliasStillSavesTheConfiguration) {
  RemoveFile(DefaultConfigFilePath());
  editor.RemoveAlias("LtNeverThere");
  EXPECT_TRUE(FileExists(DefaultConfigFilePath()));
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);
}

TEST(EngineClasses, StoredPropertiesAndRegistration) {
  RegisterDbEngineClasses();
  TComponent form(nullptr);
  TComponent* editor = CreateComponentOfClass("TAliasEditor", &form);
  const TPropInfo* mode = GetPropInfo(*editor, "ConfigMode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->Kind, tkSet);
  EXPECT_FALSE(IsStoredProp(*editor, *mode));  // the default is not written
  mode->SetOrd(*editor, TConfigModes{cfmVirtual}.Bits());
  EXPECT_TRUE(IsStoredProp(*editor, *mode));

  TComponent* database = CreateComponentOfClass("TDatabase", &form);
  GetPropInfo(*database, "LoginPrompt")->SetOrd(*database, 0);
  GetPropInfo(*database, "SessionName")->SetStr(*database, "Default");
  EXPECT_FALSE(static_cast<TDatabase*>(database)->LoginPrompt());
  EXPECT_EQ(static_cast<TDatabase*>(database)->SessionName(), "Default");

  TComponent* query = CreateComponentOfClass("TQuery", &form);
  EXPECT_NE(GetPropInfo(*query, "SQL"), nullptr);
  EXPECT_NE(GetPropInfo(*query, "DatabaseName"), nullptr);
}

TEST(LockFileCleanup, DeletesBothFilesOfThePrivateDirectory) {
  ASSERT_FALSE(Session().Active() && !Session().PrivateDir().empty());
  for (const char* name : {"PDOXUSRS.LCK", "PARADOX.LCK"}) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  RemoveEngineLockFiles();  // empty private directory: the current directory
  EXPECT_FALSE(FileExists("PDOXUSRS.LCK"));
  EXPECT_FALSE(FileExists("PARADOX.LCK"));
  RemoveEngineLockFiles();  // nothing there: no complaint

  // A configured private directory counts once the session is active.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string lock = EngineLockFilePath(temp, "PARADOX.LCK");
  HANDLE file = CreateFileA(lock.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  Session().SetPrivateDir(temp);
  Session().Open();
  RemoveEngineLockFiles();
  Session().SetPrivateDir("");
  EXPECT_FALSE(FileExists(lock));

  EXPECT_EQ(EngineLockFilePath("C:\\work", "PARADOX.LCK"), "C:\\work\\PARADOX.LCK");
  EXPECT_EQ(EngineLockFilePath("C:\\work\\", "PARADOX.LCK"), "C:\\work\\PARADOX.LCK");
  EXPECT_EQ(EngineLockFilePath("", "PARADOX.LCK"), "PARADOX.LCK");
}

TEST_F(AliasEditor, EngineThatCannotStartIsReportedByEveryOperation) {
  TAliasEditor(nullptr).RemoveAlias(source.Name());  // the configuration file exists
  // Another program holding the file exclusively keeps the engine from loading it.
  const FileHandle held = FileHandle::OpenExclusive(DefaultConfigFilePath());
  ASSERT_TRUE(held.IsOpen());
  Session().SetActive(false);
  TStringList params;
  params.Add("kept=1");
  try {
    editor.ReadAliasParams(source.Name(), params);
    FAIL() << "a session that cannot start was taken for an alias without parameters";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(error.Message().find("engine configuration file"), std::string::npos)
        << error.Message();
  }
  EXPECT_EQ(params.Text(), "kept=1\r\n");
  EXPECT_THROW(editor.RemoveAlias(source.Name()), EDatabaseError);
  EXPECT_THROW(editor.WriteAliasParams(source.Name(), params), EDatabaseError);
  EXPECT_EQ(Session().ConfigMode(), kCallerMode);
  EXPECT_FALSE(Session().Active());
}
