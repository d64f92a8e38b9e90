// The saved fields: their defaults, the names they are stored under, the settings file's
// override and the command-line presets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SetupFields.h"
#include "app/StartupCommandLine.h"
#include "framework/Strings.h"

namespace {
TStringList SectionOf(std::initializer_list<const char*> lines) {
  TStringList section;
  for (const char* line : lines) section.Add(line);
  return section;
}

TSetupFields Filled() {
  TSetupFields fields;
  for (const TSetupFields::Field& field : TSetupFields::Fields) {
    fields.*field.value = std::string("old ") + field.readName;
  }
  return fields;
}
}  // namespace

TEST(SetupFields, DefaultsBeforeAnythingIsLoaded) {
  const TSetupFields fields;
  std::vector<std::string> values;
  for (const TSetupFields::Field& field : TSetupFields::Fields)
    values.push_back(fields.*field.value);
  EXPECT_EQ(values, (std::vector<std::string>{"MySQL", "", "", "latin1", "root", "", "27", "3306",
                                              "", ""}));
}

TEST(SetupFields, ReadAndWrittenNamesInTheirOrder) {
  std::vector<std::string> read, written;
  for (const TSetupFields::Field& field : TSetupFields::Fields) {
    read.push_back(field.readName);
    written.push_back(field.writtenName);
  }
  EXPECT_EQ(read, (std::vector<std::string>{"DBTYPE", "DB", "Server", "CHARSET", "User", "PassWord",
                                            "Option", "Port", "BLOB SIZE", "BLOBS TO CACHE"}));
  EXPECT_EQ(written,
            (std::vector<std::string>{"DbTYPE", "Db", "Server", "CHARSET", "User", "Password",
                                      "Option", "Port", "BLOB SIZE", "BLOBS TO CACHE"}));
  // Every field is stored in a place of its own.
  for (size_t i = 0; i < TSetupFields::Fields.size(); ++i) {
    for (size_t j = i + 1; j < TSetupFields::Fields.size(); ++j) {
      EXPECT_NE(TSetupFields::Fields[i].value, TSetupFields::Fields[j].value) << i << " " << j;
    }
  }
}

TEST(SetupFields, SettingsFileSetsItsFiveFieldsAndEmptiesWhatItLacks) {
  TSetupFields fields = Filled();
  fields.ApplySettingsFile(SectionOf({"db=sales", "SERVER=filehost", "Port=9999", "Option=1"}));
  EXPECT_EQ(fields.DataSource, "sales");  // names ignore case
  EXPECT_EQ(fields.Server, "filehost");
  EXPECT_EQ(fields.DbType, "");
  EXPECT_EQ(fields.User, "");
  EXPECT_EQ(fields.Password, "");
  // Not fields of the file, whatever it holds.
  EXPECT_EQ(fields.Port, "old Port");
  EXPECT_EQ(fields.Option, "old Option");
  EXPECT_EQ(fields.Charset, "old CHARSET");
  EXPECT_EQ(fields.BlobSize, "old BLOB SIZE");
  EXPECT_EQ(fields.BlobsToCache, "old BLOBS TO CACHE");

  fields.ApplySettingsFile(SectionOf({"DBTYPE=MySQL5.3+", "User=fileuser", "PassWord=a=b"}));
  EXPECT_EQ(fields.DbType, "MySQL5.3+");
  EXPECT_EQ(fields.User, "fileuser");
  EXPECT_EQ(fields.Password, "a=b");
  EXPECT_EQ(fields.DataSource, "");
}

TEST(StartupPresets, ReplaceOnlyTheFieldsTheyGive) {
  TSetupFields fields = Filled();
  StartupPresetsFrom("Lintora.exe sales").ApplyTo(fields);
  EXPECT_EQ(fields.DataSource, "sales");
  EXPECT_EQ(fields.Server, "old Server");
  EXPECT_EQ(fields.Password, "old PassWord");

  StartupPresetsFrom("Lintora.exe sales \"db host\" s3cret AUTO").ApplyTo(fields);
  EXPECT_EQ(fields.Server, "db host");
  EXPECT_EQ(fields.Password, "s3cret");
  EXPECT_EQ(fields.User, "old User");
}
