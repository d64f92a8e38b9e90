// The engine against the real MariaDB of the test run, whichever TLS it was started with
// (LINTORA_MYSQL_TLS of scripts/mariadb-server.sh): a server that offers TLS gets it, the
// server itself confirms the cipher, and the engine tells whether the server refuses plain
// connections; a server without TLS is spoken to in plain as before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DataSourceFixture.h"
#include "dbengine/Deadline.h"
#include "dbengine/MySqlClient.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/RsaOaep.h"
#include "dbengine/win32/ServerTransport.h"
#include "framework/Exceptions.h"

namespace {

std::string ServerTls() {
  const char* mode = std::getenv("LINTORA_MYSQL_TLS");
  return mode ? mode : "off";
}

class TlsConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ReadMySqlServer(server)) FAIL() << "no server";
    offered = ServerTls() != "off";
  }

  MySqlServer server;
  bool offered = false;
};

}  // namespace

TEST_F(TlsConnection, ServerThatOffersTlsGetsItAndLargeAnswersCrossItWhole) {
  ServerTransport transport(server.host, static_cast<unsigned short>(std::stoi(server.port)),
                            Deadline(10000));
  MySqlClient client(transport, RsaOaepEncrypt);
  client.Connect({server.user, server.password, "", ""});
  EXPECT_EQ(transport.Encrypted(), offered) << "server TLS: " << ServerTls();
  const std::string cipher = client.QueryValue(
      "SELECT VARIABLE_VALUE FROM information_schema.SESSION_STATUS "
      "WHERE VARIABLE_NAME = 'Ssl_cipher'");
  EXPECT_EQ(!cipher.empty(), offered) << "Ssl_cipher: " << cipher;
  // Larger than one TLS record each way.
  const std::string statement = "SELECT LENGTH('" + std::string(40000, 'q') + "')";
  EXPECT_EQ(client.QueryValue(statement), "40000");
  EXPECT_EQ(client.QueryValue("SELECT REPEAT('z', 70000)"), std::string(70000, 'z'));
  client.Quit();
}

TEST_F(TlsConnection, DatabaseTellsWhetherTheServerRequiresTlsAndRefusesAWrongPassword) {
  const ScopedDataSource source(UniqueName("LtTls"),
                                ServerRecord(server, "mysql", server.password));
  TDatabase database(nullptr);
  database.SetDatabaseName(source.Name());
  database.Open();
  EXPECT_EQ(database.Encrypted(), offered);
  EXPECT_EQ(database.ServerRequiresTls(), ServerTls() == "required");
  if (offered) {
    // The same server with plain connections let in, and shut out again.
    const bool required = ServerTls() == "required";
    database.Execute("SET GLOBAL require_secure_transport = " +
                     std::string(required ? "OFF" : "ON"));
    EXPECT_EQ(database.ServerRequiresTls(), !required);
    database.Execute("SET GLOBAL require_secure_transport = " +
                     std::string(required ? "ON" : "OFF"));
    EXPECT_EQ(database.ServerRequiresTls(), required);
    // An account that alone must use TLS, on a server that lets others in without.
    database.Execute("SET GLOBAL require_secure_transport = OFF");
    database.Execute("CREATE OR REPLACE USER lt_tls_only@'%' IDENTIFIED BY 'tls-only' REQUIRE SSL");
    const ScopedDataSource account(UniqueName("LtTlsAccount"), {{"Server", server.host},
                                                                {"Port", server.port},
                                                                {"User", "lt_tls_only"},
                                                                {"Password", "tls-only"}});
    TDatabase accountDatabase(nullptr);
    accountDatabase.SetDatabaseName(account.Name());
    accountDatabase.Open();
    EXPECT_TRUE(accountDatabase.ServerRequiresTls());
    accountDatabase.Close();
    database.Execute("DROP USER lt_tls_only@'%'");
    database.Execute("SET GLOBAL require_secure_transport = " +
                     std::string(required ? "ON" : "OFF"));
  }
  database.Close();

  const ScopedDataSource wrong(UniqueName("LtTlsWrong"),
                               ServerRecord(server, "mysql", "not-the-password"));
  database.SetDatabaseName(wrong.Name());
  try {
    database.Open();
    ADD_FAILURE() << "a wrong password was let in";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(error.Message().find("Access denied for user"), std::string::npos) << error.Message();
  }
  EXPECT_FALSE(database.Connected());
}

// Run by password_inside_tls.sh, which starts the server and judges what crossed the socket.
TEST(PasswordInsideTls, FullAuthenticationSendsThePasswordOnlyInsideTls) {
  const char* port = std::getenv("LINTORA_FAKE_TLS_PORT");
  const char* password = std::getenv("LINTORA_FAKE_TLS_PASSWORD");
  if (!port || !password) GTEST_SKIP() << "needs the server of password_inside_tls.sh";
  const ScopedDataSource source(
      UniqueName("LtSha2Tls"),
      {{"Server", "127.0.0.1"}, {"Port", port}, {"User", "root"}, {"Password", password}});
  TDatabase database(nullptr);
  database.SetDatabaseName(source.Name());
  database.Open();
  EXPECT_TRUE(database.Encrypted());
  database.Close();
}
