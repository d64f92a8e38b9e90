// Which data sources the data source box offers, and which names its delete button refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/DataSourceDeletionRefusal.h"
#include "app/DataSourceFilter.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"

namespace {
struct Listed {
  const char* name;
  const char* driver;
  DriverMatch match;
};

std::vector<std::string> Offered(const std::vector<Listed>& entries) {
  DataSourceFilter filter("MySql", UpperCaseAscii);
  for (const Listed& entry : entries) filter.Offer(entry.name, entry.driver, entry.match);
  TStringList list;
  list.SetSorted(true);
  list.Assign(filter.Offered());
  return list.Lines();
}

const DriverMatch kUser = DriverMatch::Contains;
const DriverMatch kMachine = DriverMatch::Equals;
}  // namespace

TEST(DataSourceFilter, UsersMayNameAnyDriverOfTheFamilyMachinesOnlyItsOwn) {
  EXPECT_EQ(Offered({{"user53", "MySQL ODBC 5.3 Driver", kUser},
                     {"user25", "MySQL", kUser},
                     {"userOld", "mysql odbc 3.51 driver", kUser},
                     {"machine25", "MYSQL", kMachine},
                     {"machine53", "MySQL ODBC 5.3 Driver", kMachine},
                     {"machineSpaced", "MySQL ", kMachine},
                     {"userSql", "SQL Server", kUser},
                     {"machineSql", "SQL Server", kMachine},
                     {"userNone", "", kUser}}),
            (std::vector<std::string>{"machine25", "user25", "user53", "userOld"}));
}

TEST(DataSourceFilter, TheDefaultDataSourceIsNeverOfferedButNamesLikeItAre) {
  EXPECT_EQ(Offered({{"mysql", "MySQL ODBC 5.3 Driver", kUser},
                     {"MYSQL", "MySQL", kMachine},
                     {"MySql", "MySQL", kUser},
                     {"mysql2", "MySQL", kUser},
                     {" mysql", "MySQL", kUser}}),
            (std::vector<std::string>{" mysql", "mysql2"}));
}

TEST(DataSourceFilter, EachNameOnceWhicheverRootAndCaseComesFirst) {
  EXPECT_EQ(Offered({{"Sales", "MySQL", kUser},
                     {"SALES", "MySQL", kMachine},
                     {"sales", "MySQL ODBC 5.3 Driver", kUser}}),
            (std::vector<std::string>{"Sales"}));
  // The second byte of a double-byte character is no letter: 安 (A6 77) and 名 (A6 57) differ.
  EXPECT_EQ(Offered({{"\xa6\x77", "MySQL", kUser}, {"\xa6\x57", "MySQL", kUser}}).size(), 2u);
}

// The definition, spelt out without the filter's set: every name of the family but the default,
// sorted, the first offered of each run of names equal but for letter case kept.
std::vector<std::string> ReferenceOffer(const std::vector<Listed>& entries) {
  std::vector<std::string> names;
  for (const Listed& entry : entries) {
    const std::string driver = UpperCaseAscii(entry.driver);
    const bool family =
        entry.match == kUser ? driver.find("MYSQL") != std::string::npos : driver == "MYSQL";
    if (family && !SameText(entry.name, "mysql")) names.push_back(entry.name);
  }
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  names.erase(std::unique(names.begin(), names.end(), SameText), names.end());
  return names;
}

std::string WithLetterCaseFlipped(std::string text, unsigned pattern) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!(pattern >> (i % 16) & 1u)) continue;
    if (c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') text[i] = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

TEST(DataSourceFilter, TenThousandDataSourcesEachOnceInOrder) {
  const char* const drivers[] = {"MySQL", "MySQL ODBC 5.3 Driver", "mysql", "SQL Server", "MySQL "};
  const char* const stems[] = {"Sales", "mysql", "db-", "\xa6\x57" /* 名 */, "ACCOUNTS_", "x"};
  std::mt19937 random(31);
  std::vector<std::string> texts;
  std::vector<Listed> entries;
  texts.reserve(10000);
  for (int i = 0; i < 10000; ++i) {
    // About a third of the names come again, in another letter case and another record.
    const unsigned number = random() % 6500;
    std::string name = stems[number % 6] + std::to_string(number % 40 == 0 ? 0 : number);
    if (number % 97 == 0) name = "mysql";
    texts.push_back(WithLetterCaseFlipped(name, random()));
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    entries.push_back({texts[i].c_str(), drivers[random() % 5], random() % 3 ? kUser : kMachine});
  }
  entries.push_back({"MYSQL", "MySQL", kUser});
  const std::vector<std::string> offered = Offered(entries);
  EXPECT_EQ(offered, ReferenceOffer(entries));
  EXPECT_GT(offered.size(), 3000u);
}

TEST(DataSourceFilter, ListHoldsTextIgnoresLetterCaseOnly) {
  TStringList hosts;
  hosts.Add("db-Host");
  hosts.Add("");
  EXPECT_TRUE(ListHoldsText(hosts, "DB-HOST", UpperCaseAscii));
  EXPECT_TRUE(ListHoldsText(hosts, "", UpperCaseAscii));
  EXPECT_FALSE(ListHoldsText(hosts, "db-Host ", UpperCaseAscii));
  EXPECT_FALSE(ListHoldsText(TStringList(), "", UpperCaseAscii));
}

TEST(DataSourceDeletion, RefusesOnlyNamesThatReachBeyondTheirOwnRecord) {
  const struct {
    const char* name;
    std::string refusal;
  } cases[] = {
      // 請輸入要刪除的資料庫名稱
      {"",
       "\xbd\xd0\xbf\xe9\xa4\x4a\xad\x6e\xa7\x52\xb0\xa3\xaa\xba\xb8\xea\xae\xc6\xae\x77\xa6"
       "\x57\xba\xd9"},
      // 無法刪除「a\b」：資料庫名稱不可含有「\」字元
      {"a\\b",
       "\xb5\x4c\xaa\x6b\xa7\x52\xb0\xa3\xa1\x75"
       "a\\b\xa1\x76\xa1\x47\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9\xa4\xa3\xa5\x69\xa7"
       "\x74\xa6\xb3\xa1\x75\\\xa1\x76\xa6\x72\xa4\xb8"},
      // 無法刪除「odbc data sources」：這是 ODBC 保留的名稱
      {"odbc data sources",
       "\xb5\x4c\xaa\x6b\xa7\x52\xb0\xa3\xa1\x75odbc data sources\xa1\x76"
       "\xa1\x47\xb3\x6f\xac\x4f ODBC \xab\x4f\xaf\x64\xaa\xba\xa6\x57\xba"
       "\xd9"},
      {"ODBC File DSN",
       "\xb5\x4c\xaa\x6b\xa7\x52\xb0\xa3\xa1\x75ODBC File DSN\xa1\x76\xa1\x47"
       "\xb3\x6f\xac\x4f ODBC \xab\x4f\xaf\x64\xaa\xba\xa6\x57\xba\xd9"},
      // Names that only registration refuses, or that merely look like a reserved one.
      {"a(b)", ""},
      {"mysql", ""},
      {"ODBC Data Sources2", ""},
      {"\xb3\x5c", ""},  // 許: its second byte is no backslash
      {"a-name-far-longer-than-the-thirty-two-characters-of-registration", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DeletionRefusalMessage(c.name), c.refusal) << c.name;
    if (c.refusal.empty()) {
      EXPECT_NO_THROW(RefuseUndeletableDataSourceName(c.name)) << c.name;
      continue;
    }
    try {
      RefuseUndeletableDataSourceName(c.name);
      ADD_FAILURE() << "not refused: " << c.name;
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), c.refusal);
    }
  }
}
