// Opening data sources on the real MariaDB server of the test run, and every way an open can
// fail: each must end within its time limit with a message that says what went wrong.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "DataSourceFixture.h"
#include "dbengine/SqlIdentifier.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/Exceptions.h"
#include "framework/win32/Socket.h"

namespace {

using Clock = std::chrono::steady_clock;

class DatabaseOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ReadMySqlServer(server)) FAIL() << "no server";
  }

  // Opens a data source with the given record and returns the error message ("" on success).
  std::string OpenFails(const std::vector<std::pair<std::string, std::string>>& record,
                        unsigned long timeoutMs = 3000) {
    const ScopedDataSource source(UniqueName("LtOpen"), record);
    TDatabase database(nullptr);
    database.SetDatabaseName(source.Name());
    database.SetTimeoutMs(timeoutMs);
    const Clock::time_point start = Clock::now();
    try {
      database.Open();
    } catch (const EDatabaseError& error) {
      elapsed = Clock::now() - start;
      EXPECT_FALSE(database.Connected());
      return error.Message();
    }
    return std::string();
  }

  MySqlServer server;
  Clock::duration elapsed{};
};

}  // namespace

TEST_F(DatabaseOpen, DataSourceWithRightCredentialsConnectsAndCloses) {
  const ScopedDataSource source(UniqueName("LtGood"),
                                ServerRecord(server, "mysql", server.password));
  TDatabase database(nullptr);
  database.SetDatabaseName(source.Name());
  database.SetLoginPrompt(false);
  database.Open();
  EXPECT_TRUE(database.Connected());
  EXPECT_THROW(database.SetDatabaseName("other"), EDatabaseError);
  database.Execute("SELECT 1");
  database.Close();
  EXPECT_FALSE(database.Connected());
  database.SetConnected(true);  // reopening after a close
  EXPECT_TRUE(database.Connected());
}

TEST_F(DatabaseOpen, WrongPasswordIsRefusedWithTheServersMessage) {
  const std::string message = OpenFails(ServerRecord(server, "mysql", "not-the-password"));
  EXPECT_NE(message.find("Access denied"), std::string::npos) << message;
}

TEST_F(DatabaseOpen, UnknownDatabaseIsRefusedWithTheServersMessage) {
  const std::string message =
      OpenFails(ServerRecord(server, UniqueName("lt_missing_"), server.password));
  EXPECT_NE(message.find("Unknown database"), std::string::npos) << message;
}

TEST_F(DatabaseOpen, UnknownCharacterSetOfTheRecordReachesTheServer) {
  auto record = ServerRecord(server, "mysql", server.password);
  record.push_back({"CHARSET", "nosuchset"});
  const std::string message = OpenFails(record);
  EXPECT_NE(message.find("nosuchset"), std::string::npos) << message;
}

TEST_F(DatabaseOpen, UnknownHostFailsQuickly) {
  auto record = ServerRecord(server, "mysql", server.password);
  record[2].second = "no-such-host.invalid";
  const std::string message = OpenFails(record);
  EXPECT_NE(message.find("Unknown MySQL server host 'no-such-host.invalid'"), std::string::npos)
      << message;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(DatabaseOpen, ClosedPortIsRefused) {
  std::string port;
  {
    const LoopbackListener unused;  // bound, never listening: a port nobody serves
    port = unused.Port();
  }
  auto record = ServerRecord(server, "mysql", server.password);
  record[5].second = port;
  const std::string message = OpenFails(record);
  EXPECT_NE(message.find("Can't connect to MySQL server on '" + server.host + "' (port " + port),
            std::string::npos)
      << message;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(DatabaseOpen, ServerThatNeverAnswersTimesOut) {
  LoopbackListener silent;  // accepts into its backlog and never answers
  silent.Listen();
  auto record = ServerRecord(server, "mysql", server.password);
  record[5].second = silent.Port();
  const std::string message = OpenFails(record, 2000);
  EXPECT_NE(message.find("no answer within 2 s"), std::string::npos) << message;
  EXPECT_GE(elapsed, std::chrono::milliseconds(1900));
  EXPECT_LT(elapsed, std::chrono::seconds(6));
}

TEST_F(DatabaseOpen, NamesThatAreNoDataSourceAreRefused) {
  TDatabase database(nullptr);
  try {
    database.Open();
    FAIL() << "opened without a name";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Database name missing");
  }
  for (const std::string name : {"LtNeverRegistered", "ODBC Data Sources", "..\\ODBC.INI"}) {
    database.SetDatabaseName(name);
    EXPECT_THROW(database.Open(), EDatabaseError) << name;
  }
  // A record without an entry in the data source list is no data source.
  TRegistry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\LtUnlisted", true));
  registry.WriteString("Server", server.host);
  database.SetDatabaseName("LtUnlisted");
  EXPECT_THROW(database.Open(), EDatabaseError);
  registry.CloseKey();
  registry.DeleteKey("\\Software\\ODBC\\ODBC.INI\\LtUnlisted");
}

TEST_F(DatabaseOpen, UserRecordIsPreferredOverTheMachineRecord) {
  const std::string name = UniqueName("LtBoth");
  const ScopedDataSource machine(name, ServerRecord(server, "mysql", "wrong"), HKEY_LOCAL_MACHINE);
  TDatabase database(nullptr);
  database.SetDatabaseName(name);
  EXPECT_THROW(database.Open(), EDatabaseError);  // only the machine record: wrong password
  const ScopedDataSource user(name, ServerRecord(server, "mysql", server.password));
  database.Open();
  EXPECT_TRUE(database.Connected());
}

TEST_F(DatabaseOpen, QueryCreatesDatabaseThroughTheNamedDatabaseAndKeepsItOpen) {
  // The name of the new database can come from the script that checks it from the server side.
  const char* fromScript = std::getenv("LINTORA_TEST_NEW_DATABASE");
  const std::string newDatabase = fromScript ? fromScript : UniqueName("lt_created_");
  const ScopedDataSource mysql(UniqueName("LtMysql"),
                               ServerRecord(server, "mysql", server.password));
  const ScopedDataSource created(UniqueName("LtNew"),
                                 ServerRecord(server, newDatabase, server.password));

  TDatabase database(nullptr);
  database.SetDatabaseName(created.Name());
  EXPECT_THROW(database.Open(), EDatabaseError);  // not there yet

  database.SetDatabaseName(mysql.Name());
  TQuery query(nullptr);
  query.SetDatabaseName(mysql.Name());
  query.SQL().SetText("CREATE DATABASE IF NOT EXISTS `" + newDatabase + "`");
  query.ExecSQL();
  EXPECT_TRUE(database.Connected());  // the query opened the session's database of that name
  query.ExecSQL();                    // IF NOT EXISTS: a second run is no error

  database.Close();
  database.SetDatabaseName(created.Name());
  database.Open();
  EXPECT_TRUE(database.Connected());
}

TEST_F(DatabaseOpen, RefusedStatementLeavesTheConnectionUsable) {
  const ScopedDataSource mysql(UniqueName("LtMysql"),
                               ServerRecord(server, "mysql", server.password));
  TQuery query(nullptr);  // no database object of that name: the query makes its own
  query.SetDatabaseName(mysql.Name());
  query.SQL().SetText("CREATE DATABASE `mysql`");
  try {
    query.ExecSQL();
    FAIL() << "created an existing database";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(error.Message().find("database exists"), std::string::npos) << error.Message();
  }
  query.SQL().SetText("CREATE DATABASE IF NOT EXISTS `mysql`");
  query.ExecSQL();
}

// In big5 and gbk a backquote can be the second byte of a character (A4 60, 81 60): the name
// quoted for the connection's character set creates exactly the database of that name, and the
// rest of the name never becomes part of the statement.
TEST_F(DatabaseOpen, DoubleByteNamesStayOneIdentifierInTheConnectionsCharacterSet) {
  const struct {
    const char* charset;
    std::string character;
  } cases[] = {{"big5", "\xa4`"}, {"gbk", "\x81`"}};
  for (const auto& c : cases) {
    auto record = ServerRecord(server, "mysql", server.password);
    record.push_back({"CHARSET", c.charset});
    const ScopedDataSource mysql(UniqueName("LtMysql"), record);
    const std::string name = UniqueName("lt_") + c.character + " COMMENT 'x' #";
    TQuery query(nullptr);
    query.SetDatabaseName(mysql.Name());
    ASSERT_EQ(query.CharacterSet(), c.charset);
    query.SQL().SetText("CREATE DATABASE " + QuoteIdentifier(name, query.CharacterSet()));
    EXPECT_NO_THROW(query.ExecSQL()) << c.charset;

    // The server's handshake reads a database name in its own character set, not the
    // connection's, so the whole name is looked for through a statement on the connection.
    query.SQL().SetText("USE " + QuoteIdentifier(name, query.CharacterSet()));
    EXPECT_NO_THROW(query.ExecSQL()) << c.charset << ": no database of the whole name";
    query.SQL().SetText("DROP DATABASE " + QuoteIdentifier(name, query.CharacterSet()));
    EXPECT_NO_THROW(query.ExecSQL()) << c.charset;
  }
}
