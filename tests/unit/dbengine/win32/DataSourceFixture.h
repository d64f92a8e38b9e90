// Shared by the engine's Windows tests: the MariaDB server of the test run (from the
// environment that scripts/mariadb-server.sh sets) and ODBC data sources written into the real
// registry of the test prefix for the length of one test.
#pragma once

#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, which must come before it.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "framework/win32/Registry.h"
#include "framework/win32/Socket.h"

struct MySqlServer {
  std::string host, port, user, password, socket;
};

// Fails the calling test (it does not skip it) when the server environment is missing.
inline bool ReadMySqlServer(MySqlServer& server) {
  const char* names[] = {"LINTORA_MYSQL_HOST", "LINTORA_MYSQL_PORT", "LINTORA_MYSQL_USER",
                         "LINTORA_MYSQL_PASSWORD"};
  std::string* fields[] = {&server.host, &server.port, &server.user, &server.password};
  for (int i = 0; i < 4; ++i) {
    const char* value = std::getenv(names[i]);
    if (!value) {
      ADD_FAILURE() << names[i] << " is not set: these tests need the MariaDB server that "
                    << "scripts/mariadb-server.sh run <ctest ...> starts";
      return false;
    }
    *fields[i] = value;
  }
  const char* socket = std::getenv("LINTORA_MYSQL_SOCKET");
  server.socket = socket ? socket : "";
  return true;
}

inline std::string UniqueName(const std::string& stem) {
  static int counter = 0;
  return stem + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

// One data source: its entry in "ODBC Data Sources" and its record, under one root; both are
// deleted again when the object goes away.
class ScopedDataSource {
 public:
  ScopedDataSource(std::string name, const std::vector<std::pair<std::string, std::string>>& values,
                   HKEY root = HKEY_CURRENT_USER)
      : name_(std::move(name)), root_(root) {
    TRegistry registry(root_);
    EXPECT_TRUE(registry.OpenKey(kList, true));
    registry.WriteString(name_, "MySQL ODBC 5.3 Driver");
    EXPECT_TRUE(registry.OpenKey(kOdbcIni + name_, true));
    for (const auto& value : values) registry.WriteString(value.first, value.second);
  }
  ~ScopedDataSource() {
    TRegistry registry(root_);
    if (registry.OpenKey(kList, false)) registry.DeleteValue(name_);
    registry.CloseKey();
    registry.DeleteKey(kOdbcIni + name_);
  }
  ScopedDataSource(const ScopedDataSource&) = delete;
  ScopedDataSource& operator=(const ScopedDataSource&) = delete;

  const std::string& Name() const { return name_; }

 private:
  static constexpr const char* kList = "\\Software\\ODBC\\ODBC.INI\\ODBC Data Sources";
  static constexpr const char* kOdbcIni = "\\Software\\ODBC\\ODBC.INI\\";
  std::string name_;
  HKEY root_;
};

// The record of a data source on the test server, as the registration writes it.
inline std::vector<std::pair<std::string, std::string>> ServerRecord(const MySqlServer& server,
                                                                     const std::string& database,
                                                                     const std::string& password) {
  return {{"Driver", "C:\\windows\\system32\\myodbc5a.dll"},
          {"DataBase", database},
          {"Server", server.host},
          {"User", server.user},
          {"Password", password},
          {"Port", server.port}};
}

// A TCP socket bound to a free loopback port; listening only when told to.
class LoopbackListener : public Socket {
 public:
  LoopbackListener() : Socket(NewTcpSocket()) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(Get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(Get(), reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  void Listen() { listen(Get(), 4); }
  std::string Port() const { return std::to_string(port_); }

 private:
  static SOCKET NewTcpSocket() {
    EnsureWinsockStarted();
    return socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  }

  unsigned short port_ = 0;
};
