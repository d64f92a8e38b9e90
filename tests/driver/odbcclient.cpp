// Uses an ODBC data source the way a program does through the driver manager, with no driver
// manager in between, so that a test sees exactly what the registered records give:
//   odbcclient DSN
// It reads the data source's record (HKEY_CURRENT_USER\Software\ODBC\ODBC.INI\DSN first, then
// HKEY_LOCAL_MACHINE, as the driver manager looks), loads the DLL that the record's "Driver" names
// and connects with SQLDriverConnect("DSN=DSN"), which leaves reading the record to the driver
// (through the setup API's profile-string calls). Then it runs "SELECT DATABASE(), 1" and checks
// that the row holds the record's "DataBase" and 1. Every step prints one line.
// Exit code: 0 the answer is right; 1 connecting or the query failed (a line
// "SQLSTATE xxxxx: message" says why); 2 the answer is wrong; 3 no record, no driver, or misuse.
#include <windows.h>
// sql.h needs the Windows types first.
#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <string>

namespace {
enum ExitCode : int { kRight = 0, kFailed = 1, kWrong = 2, kNoDriver = 3 };
constexpr SQLULEN kLoginTimeoutSeconds = 15;

struct Record {
  const char* root = "";
  std::string driver;
  std::string database;
};

std::string ReadValue(HKEY key, const char* name) {
  char buffer[1024] = {};
  DWORD size = sizeof(buffer) - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string();
  }
  return std::string(buffer);
}

bool ReadRecord(const std::string& dsn, Record* record) {
  const std::string path = "Software\\ODBC\\ODBC.INI\\" + dsn;
  const struct {
    HKEY root;
    const char* name;
  } roots[] = {{HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
               {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}};
  for (const auto& root : roots) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root.root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    record->root = root.name;
    record->driver = ReadValue(key, "Driver");
    record->database = ReadValue(key, "DataBase");
    RegCloseKey(key);
    return true;
  }
  return false;
}

// A driver entry point of the same type as the function sql.h declares; null when it is missing.
template <typename Function>
Function Entry(HMODULE driver, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(driver, name)));
}

// The driver's entry points this client calls.
struct Driver {
  explicit Driver(HMODULE module)
      : allocHandle(Entry<decltype(&SQLAllocHandle)>(module, "SQLAllocHandle")),
        freeHandle(Entry<decltype(&SQLFreeHandle)>(module, "SQLFreeHandle")),
        setEnvAttr(Entry<decltype(&SQLSetEnvAttr)>(module, "SQLSetEnvAttr")),
        setConnectAttr(Entry<decltype(&SQLSetConnectAttr)>(module, "SQLSetConnectAttr")),
        driverConnect(Entry<decltype(&SQLDriverConnect)>(module, "SQLDriverConnect")),
        disconnect(Entry<decltype(&SQLDisconnect)>(module, "SQLDisconnect")),
        execDirect(Entry<decltype(&SQLExecDirect)>(module, "SQLExecDirect")),
        fetch(Entry<decltype(&SQLFetch)>(module, "SQLFetch")),
        getData(Entry<decltype(&SQLGetData)>(module, "SQLGetData")),
        getDiagRec(Entry<decltype(&SQLGetDiagRec)>(module, "SQLGetDiagRec")) {}

  bool Complete() const {
    return allocHandle && freeHandle && setEnvAttr && setConnectAttr && driverConnect &&
           disconnect && execDirect && fetch && getData && getDiagRec;
  }

  decltype(&SQLAllocHandle) allocHandle;
  decltype(&SQLFreeHandle) freeHandle;
  decltype(&SQLSetEnvAttr) setEnvAttr;
  decltype(&SQLSetConnectAttr) setConnectAttr;
  decltype(&SQLDriverConnect) driverConnect;
  decltype(&SQLDisconnect) disconnect;
  decltype(&SQLExecDirect) execDirect;
  decltype(&SQLFetch) fetch;
  decltype(&SQLGetData) getData;
  decltype(&SQLGetDiagRec) getDiagRec;
};

// The first diagnostic record of a handle, as "SQLSTATE xxxxx: message".
std::string Diagnostic(const Driver& driver, SQLSMALLINT type, SQLHANDLE handle) {
  SQLCHAR state[6] = {};
  SQLCHAR message[SQL_MAX_MESSAGE_LENGTH] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(
          driver.getDiagRec(type, handle, 1, state, &native, message, sizeof(message), &length))) {
    return "SQLSTATE (none): the driver gave no diagnostic";
  }
  return std::string("SQLSTATE ") + reinterpret_cast<char*>(state) + ": " +
         reinterpret_cast<char*>(message);
}

// One column of the current row as text.
std::string Column(const Driver& driver, SQLHSTMT statement, SQLUSMALLINT number) {
  char buffer[256] = {};
  SQLLEN length = 0;
  if (!SQL_SUCCEEDED(
          driver.getData(statement, number, SQL_C_CHAR, buffer, sizeof(buffer), &length)) ||
      length == SQL_NULL_DATA) {
    return "(null)";
  }
  return std::string(buffer);
}

// The environment, connection and statement handles of one session, released in reverse order.
class Session {
 public:
  explicit Session(const Driver& driver) : driver_(driver) {}
  ~Session() {
    if (statement_) driver_.freeHandle(SQL_HANDLE_STMT, statement_);
    if (connected_) driver_.disconnect(connection_);
    if (connection_) driver_.freeHandle(SQL_HANDLE_DBC, connection_);
    if (environment_) driver_.freeHandle(SQL_HANDLE_ENV, environment_);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Connects; on failure `error` holds the driver's diagnostic.
  bool Connect(const std::string& dsn, std::string* error) {
    if (!SQL_SUCCEEDED(driver_.allocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_)) ||
        !SQL_SUCCEEDED(driver_.setEnvAttr(environment_, SQL_ATTR_ODBC_VERSION,
                                          reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !SQL_SUCCEEDED(driver_.allocHandle(SQL_HANDLE_DBC, environment_, &connection_))) {
      *error = "SQLSTATE (none): the driver gave no environment or connection handle";
      return false;
    }
    // Bounded: a server that does not answer fails the connection instead of hanging the test.
    driver_.setConnectAttr(connection_, SQL_ATTR_LOGIN_TIMEOUT,
                           reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    std::string text = "DSN=" + dsn;
    SQLCHAR completed[1024] = {};
    SQLSMALLINT completedLength = 0;
    if (!SQL_SUCCEEDED(driver_.driverConnect(
            connection_, nullptr, reinterpret_cast<SQLCHAR*>(&text[0]), SQL_NTS, completed,
            sizeof(completed), &completedLength, SQL_DRIVER_NOPROMPT))) {
      *error = Diagnostic(driver_, SQL_HANDLE_DBC, connection_);
      return false;
    }
    connected_ = true;
    return true;
  }

  // Runs the query and reads its one row into `database` and `one`.
  bool SelectDatabase(std::string* database, std::string* one, std::string* error) {
    if (!SQL_SUCCEEDED(driver_.allocHandle(SQL_HANDLE_STMT, connection_, &statement_))) {
      *error = Diagnostic(driver_, SQL_HANDLE_DBC, connection_);
      return false;
    }
    SQLCHAR query[] = "SELECT DATABASE(), 1";
    if (!SQL_SUCCEEDED(driver_.execDirect(statement_, query, SQL_NTS)) ||
        !SQL_SUCCEEDED(driver_.fetch(statement_))) {
      *error = Diagnostic(driver_, SQL_HANDLE_STMT, statement_);
      return false;
    }
    *database = Column(driver_, statement_, 1);
    *one = Column(driver_, statement_, 2);
    return true;
  }

 private:
  const Driver& driver_;
  SQLHENV environment_ = SQL_NULL_HENV;
  SQLHDBC connection_ = SQL_NULL_HDBC;
  SQLHSTMT statement_ = SQL_NULL_HSTMT;
  bool connected_ = false;
};

ExitCode Run(const std::string& dsn) {
  Record record;
  if (!ReadRecord(dsn, &record)) {
    std::printf("no record of the data source %s\n", dsn.c_str());
    return kNoDriver;
  }
  std::printf("record %s\\Software\\ODBC\\ODBC.INI\\%s: Driver=%s DataBase=%s\n", record.root,
              dsn.c_str(), record.driver.c_str(), record.database.c_str());
  HMODULE module = LoadLibraryA(record.driver.c_str());
  if (!module) {
    std::printf("cannot load the driver %s (error %lu)\n", record.driver.c_str(),
                static_cast<unsigned long>(GetLastError()));
    return kNoDriver;
  }
  const Driver driver(module);
  if (!driver.Complete()) {
    std::printf("%s lacks an ODBC entry point: it is no ODBC driver\n", record.driver.c_str());
    return kNoDriver;
  }

  std::string error;
  std::string database;
  std::string one;
  {
    Session session(driver);
    if (!session.Connect(dsn, &error)) {
      std::printf("connecting to DSN=%s failed: %s\n", dsn.c_str(), error.c_str());
      return kFailed;
    }
    std::printf("connected to DSN=%s\n", dsn.c_str());
    if (!session.SelectDatabase(&database, &one, &error)) {
      std::printf("SELECT DATABASE(), 1 failed: %s\n", error.c_str());
      return kFailed;
    }
  }
  std::printf("SELECT DATABASE(), 1 gave %s, %s\n", database.c_str(), one.c_str());
  if (database != record.database || one != "1") {
    std::printf("wrong answer: expected %s, 1\n", record.database.c_str());
    return kWrong;
  }
  return kRight;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: odbcclient DSN\n");
    return kNoDriver;
  }
  const int code = Run(argv[1]);
  std::fflush(stdout);
  return code;
}
