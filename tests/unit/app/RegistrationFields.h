// The dialog's fields the registration tests register with: every field set, none to its default
// (the BLOB values differ from the engine's own, so that the alias stores them).
#pragma once

#include <string>

#include "app/SetupFields.h"

inline TSetupFields RegistrationFields(const std::string& dataSource) {
  TSetupFields fields;
  fields.DataSource = dataSource;
  fields.Server = "db.example";
  fields.Charset = "big5";
  fields.User = "admin";
  fields.Password = "pw";
  fields.Option = "3";
  fields.Port = "3307";
  fields.BlobSize = "8192";
  fields.BlobsToCache = "128";
  return fields;
}
