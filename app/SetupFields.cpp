#include "app/SetupFields.h"

#include "framework/Strings.h"

const char* const DriverGeneration25 = "MySQL";
const char* const DriverGeneration53 = "MySQL5.3+";

const std::array<TSetupFields::Field, 10> TSetupFields::Fields = {{
    {"DBTYPE", "DbTYPE", &TSetupFields::DbType, true},
    {"DB", "Db", &TSetupFields::DataSource, true},
    {"Server", "Server", &TSetupFields::Server, true},
    {"CHARSET", "CHARSET", &TSetupFields::Charset, false},
    {"User", "User", &TSetupFields::User, true},
    {"PassWord", "Password", &TSetupFields::Password, true},
    {"Option", "Option", &TSetupFields::Option, false},
    {"Port", "Port", &TSetupFields::Port, false},
    {"BLOB SIZE", "BLOB SIZE", &TSetupFields::BlobSize, false},
    {"BLOBS TO CACHE", "BLOBS TO CACHE", &TSetupFields::BlobsToCache, false},
}};

void TSetupFields::ApplySettingsFile(const TStrings& section) {
  for (const Field& field : Fields) {
    if (field.inSettingsFile) this->*field.value = section.Values(field.readName);
  }
}
