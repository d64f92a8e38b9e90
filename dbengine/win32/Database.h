#pragma once
// The engine's database object: a named connection to the ODBC data source of its
// DatabaseName, opened with the credentials stored for that data source (the user is never
// asked), over the MySQL client protocol.
#include <memory>
#include <string>

#include "framework/Component.h"

class Deadline;
class MySqlClient;
class ServerTransport;
class TSession;

class TDatabase : public TComponent {
  LINTORA_PUBLISHED(TDatabase)
 public:
  static constexpr unsigned long kDefaultTimeoutMs = 10000;

  explicit TDatabase(TComponent* owner);
  ~TDatabase() override;

  const std::string& DatabaseName() const { return databaseName_; }
  // Raises EDatabaseError while connected.
  void SetDatabaseName(const std::string& name);
  // Stored only: the engine never asks for a login, the data source's record supplies it.
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool prompt) { loginPrompt_ = prompt; }
  // Only the default session exists: "Default" or empty.
  const std::string& SessionName() const { return sessionName_; }
  void SetSessionName(const std::string& name) { sessionName_ = name; }
  // The overall limit of one Open or Execute (an Execute that opens first included): host name
  // lookup, connecting, authentication and the whole answer, however slowly the server sends.
  unsigned long TimeoutMs() const { return timeoutMs_; }
  void SetTimeoutMs(unsigned long timeoutMs) { timeoutMs_ = timeoutMs; }

  bool Connected() const { return client_ != nullptr; }
  void SetConnected(bool connected);
  // Raises EDatabaseError with the server's or the network's message; "Database name missing"
  // when DatabaseName is empty.
  void Open();
  // Says goodbye to the server; never raises.
  void Close();

  // Runs one statement, opening the connection first when it is not open; no result set is kept.
  void Execute(const std::string& statement);
  // The character set the server reads this connection's statements in, as the data source's
  // record names it (empty for latin1); the connection is opened first when it is not open.
  const std::string& CharacterSet();

  // Whether the open connection travels inside TLS (the server offered it).
  bool Encrypted() const;
  // Whether the server of the open connection refuses connections without TLS, for everyone
  // (require_secure_transport) or for this account (REQUIRE SSL and the like), so that another
  // client must be told to use TLS. False on a plain connection and for a server that does not
  // say. Raises EDatabaseError when the connection is lost meanwhile.
  bool ServerRequiresTls();

 private:
  TSession& OwnSession() const;
  void OpenWithin(const Deadline& deadline);
  void Drop();
  // The first value of a statement's answer; "" when the server refuses the statement.
  std::string ValueOrEmpty(const std::string& statement);

  std::string databaseName_;
  bool loginPrompt_ = true;
  std::string sessionName_;
  std::string characterSet_;
  unsigned long timeoutMs_ = kDefaultTimeoutMs;
  std::unique_ptr<ServerTransport> stream_;
  std::unique_ptr<MySqlClient> client_;
};
