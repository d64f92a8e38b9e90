// Servers of the test's own that misbehave on purpose: however they send, no open and no
// statement outlasts the database's time limit, and authentication ends after the rounds a real
// server needs.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DataSourceFixture.h"
#include "MisbehavingServer.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/Exceptions.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Fault = MisbehavingServer::Fault;

class ServerDeadline : public ::testing::Test {
 protected:
  // A data source on the server and a database object for it with the given limit.
  void Use(const MisbehavingServer& server, unsigned long timeoutMs) {
    source = std::make_unique<ScopedDataSource>(
        UniqueName("LtHostile"),
        std::vector<std::pair<std::string, std::string>>{{"Server", "127.0.0.1"},
                                                         {"Port", server.Port()},
                                                         {"User", "root"},
                                                         {"DataBase", "demo"}});
    database.SetDatabaseName(source->Name());
    database.SetTimeoutMs(timeoutMs);
  }

  // The message action fails with ("" when it succeeds); took is how long it ran.
  template <typename Action>
  std::string FailureOf(Action action) {
    const Clock::time_point start = Clock::now();
    std::string message;
    try {
      action();
    } catch (const EDatabaseError& error) {
      message = error.Message();
    }
    took = Clock::now() - start;
    return message;
  }

  // The action failed because the limit of 2 s passed: not earlier, not much later, and the
  // database is left closed.
  void ExpectEndedAtTwoSeconds(const std::string& message) {
    EXPECT_NE(message.find("no answer within 2 s"), std::string::npos) << message;
    EXPECT_GE(took, milliseconds(1900));
    EXPECT_LT(took, milliseconds(4000));
    EXPECT_FALSE(database.Connected());
  }

  std::unique_ptr<ScopedDataSource> source;
  TDatabase database{nullptr};
  Clock::duration took{};
};

}  // namespace

TEST_F(ServerDeadline, GreetingDrippedByteByByteEndsAtTheDeadline) {
  MisbehavingServer server(Fault::kDripsGreeting);
  Use(server, 2000);
  ExpectEndedAtTwoSeconds(FailureOf([&] { database.Open(); }));
}

TEST_F(ServerDeadline, EndlessAuthenticationEndsAfterThreeRounds) {
  MisbehavingServer server(Fault::kRepeatsFastAuthSuccess);
  Use(server, 5000);
  const std::string message = FailureOf([&] { database.Open(); });
  EXPECT_EQ(message, "The MySQL server did not end authentication after 3 rounds");
  EXPECT_LT(took, milliseconds(2000));  // the rounds ended it, not the limit
}

TEST_F(ServerDeadline, AnswerToAStatementDrippedByteByByteEndsAtTheDeadline) {
  MisbehavingServer server(Fault::kDripsQueryAnswer);
  Use(server, 2000);
  database.Open();
  const std::string message = FailureOf([&] { database.Execute("CREATE DATABASE `x`"); });
  EXPECT_NE(message.find("Lost connection to MySQL server on '127.0.0.1'"), std::string::npos)
      << message;
  ExpectEndedAtTwoSeconds(message);  // out of step: the next use connects again
}

TEST_F(ServerDeadline, StatementThatHasToOpenFirstGetsOneLimitForBoth) {
  // Each answer alone comes well within the limit; opening and running together do not.
  MisbehavingServer server(Fault::kAnswersEachStepLate);
  Use(server, 3000);
  TQuery query(nullptr);
  query.SetDatabaseName(source->Name());
  query.SQL().SetText("CREATE DATABASE IF NOT EXISTS `x`");
  const std::string message = FailureOf([&] { query.ExecSQL(); });
  EXPECT_NE(message.find("no answer within 3 s"), std::string::npos) << message;
  EXPECT_GE(took, milliseconds(2900));
  EXPECT_LT(took, milliseconds(4500));
}

TEST_F(ServerDeadline, HostLookupNotDoneByTheDeadlineFailsWithAClearMessage) {
  // No time left for the lookup: the open fails at once with a message that says so. (How the
  // wait for a lookup that outlasts the limit ends is DeadlineTest's; no name service here can
  // be made to stall.)
  const ScopedDataSource named(UniqueName("LtLookup"),
                               {{"Server", "localhost"}, {"Port", "3306"}, {"User", "root"}});
  database.SetDatabaseName(named.Name());
  database.SetTimeoutMs(0);
  const std::string message = FailureOf([&] { database.Open(); });
  EXPECT_EQ(message,
            "Can't connect to MySQL server on 'localhost' (port 3306): the host name was not "
            "resolved within 0 s");
  EXPECT_LT(took, milliseconds(1000));
}

TEST_F(ServerDeadline, TlsHandshakeThatStallsOrIsNoTlsEndsWithAClearMessage) {
  {
    MisbehavingServer server(Fault::kStallsAfterServerHello);
    Use(server, 2000);
    ExpectEndedAtTwoSeconds(FailureOf([&] { database.Open(); }));
  }
  MisbehavingServer server(Fault::kAnswersTlsWithPlain);
  Use(server, 5000);
  EXPECT_EQ(FailureOf([&] { database.Open(); }), "The MySQL server did not answer with TLS");
  EXPECT_LT(took, milliseconds(2000));
}
