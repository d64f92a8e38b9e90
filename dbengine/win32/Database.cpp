#include "dbengine/win32/Database.h"

#include "dbengine/Deadline.h"
#include "dbengine/MySqlClient.h"
#include "dbengine/Session.h"
#include "dbengine/win32/DataSources.h"
#include "dbengine/win32/RsaOaep.h"
#include "dbengine/win32/ServerTransport.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"

namespace {

constexpr unsigned short kDefaultPort = 3306;

unsigned short PortOf(const std::string& text) {
  if (text.empty()) return kDefaultPort;
  unsigned long port = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || port > 65535) throw EDatabaseError("Invalid port " + text);
    port = port * 10 + static_cast<unsigned long>(c - '0');
  }
  if (port == 0 || port > 65535) throw EDatabaseError("Invalid port " + text);
  return static_cast<unsigned short>(port);
}

// An account's own definition names what it asks of the connection ("REQUIRE SSL", "REQUIRE
// X509", ...); "REQUIRE NONE" or nothing lets plain connections in.
bool DefinitionRequiresTls(const std::string& createUser) {
  const std::string require = " REQUIRE ";
  const size_t at = createUser.find(require);
  return at != std::string::npos && createUser.compare(at + require.size(), 4, "NONE") != 0;
}

}  // namespace

const TClassInfo& TDatabase::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TDatabase>("TDatabase", TComponent::StaticClassInfo())
          .String("DatabaseName", &TDatabase::DatabaseName, &TDatabase::SetDatabaseName)
          .Boolean("LoginPrompt", &TDatabase::LoginPrompt, &TDatabase::SetLoginPrompt)
          .Default(true)
          .String("SessionName", &TDatabase::SessionName, &TDatabase::SetSessionName);
  return info;
}

TDatabase::TDatabase(TComponent* owner) : TComponent(owner) {
  OwnSession().AddDatabase(this);
}

TDatabase::~TDatabase() {
  Close();
  Session().RemoveDatabase(this);
}

TSession& TDatabase::OwnSession() const {
  if (!sessionName_.empty() && !SameText(sessionName_, "Default"))
    throw EDatabaseError("Session name " + sessionName_ + " not found");
  return Session();
}

void TDatabase::SetDatabaseName(const std::string& name) {
  if (Connected()) throw EDatabaseError("Cannot perform this operation on an open database");
  databaseName_ = name;
}

void TDatabase::SetConnected(bool connected) {
  if (connected)
    Open();
  else
    Close();
}

void TDatabase::Open() {
  if (!Connected()) OpenWithin(Deadline(timeoutMs_));
}

void TDatabase::OpenWithin(const Deadline& deadline) {
  if (databaseName_.empty()) throw EDatabaseError("Database name missing");
  OwnSession().Open();
  TStringList record;
  if (!IsListedDataSource(databaseName_) || !ReadDataSourceRecord(databaseName_, record))
    throw EDatabaseError("Data source " + databaseName_ + " not found");

  const std::string server = record.Values("Server");
  auto stream = std::make_unique<ServerTransport>(server.empty() ? "localhost" : server,
                                                  PortOf(record.Values("Port")), deadline);
  auto client = std::make_unique<MySqlClient>(*stream, RsaOaepEncrypt);
  client->Connect({record.Values("User"), record.Values("Password"), record.Values("DataBase"),
                   record.Values("CHARSET")});
  stream_ = std::move(stream);
  client_ = std::move(client);
  characterSet_ = record.Values("CHARSET");
}

void TDatabase::Close() {
  if (!client_) return;
  try {
    stream_->SetDeadline(Deadline(timeoutMs_));
    client_->Quit();
  } catch (const EDatabaseError&) {
    // A connection that is already gone needs no goodbye.
  }
  Drop();
}

void TDatabase::Drop() {
  client_.reset();
  stream_.reset();
}

const std::string& TDatabase::CharacterSet() {
  Open();
  return characterSet_;
}

void TDatabase::Execute(const std::string& statement) {
  const Deadline deadline(timeoutMs_);
  if (!client_) OpenWithin(deadline);
  stream_->SetDeadline(deadline);
  try {
    client_->Execute(statement);
  } catch (const EDatabaseError&) {
    // A refused statement leaves the connection usable; a lost or garbled one is dropped, so
    // that the next use reconnects instead of reading a stale answer.
    if (!client_->Healthy()) Drop();
    throw;
  }
}

bool TDatabase::Encrypted() const {
  return stream_ && stream_->Encrypted();
}

bool TDatabase::ServerRequiresTls() {
  if (!Encrypted()) return false;
  stream_->SetDeadline(Deadline(timeoutMs_));
  return ValueOrEmpty("SELECT @@require_secure_transport") == "1" ||
         DefinitionRequiresTls(ValueOrEmpty("SHOW CREATE USER CURRENT_USER()"));
}

// A server that does not know the statement (the setting came with MySQL 5.7 and MariaDB 10.5)
// refuses it and goes on; a lost connection is the caller's to hear of.
std::string TDatabase::ValueOrEmpty(const std::string& statement) {
  try {
    return client_->QueryValue(statement);
  } catch (const EDatabaseError&) {
    if (!client_->Healthy()) {
      Drop();
      throw;
    }
    return std::string();
  }
}
