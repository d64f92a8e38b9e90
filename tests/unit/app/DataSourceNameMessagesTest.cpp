// The Big5 texts that tell the user why a data source name is refused.
#include <gtest/gtest.h>

#include <string>

#include "app/DataSourceNameMessages.h"

namespace {
using Fault = DataSourceNameFault;
const std::string kName = "\xa6\x57\xba\xd9";  // 名稱
}  // namespace

TEST(DataSourceNameMessages, EachFaultHasItsOwnText) {
  EXPECT_EQ(DataSourceNameMessage(Fault::None, kName), "");
  // 請輸入資料庫名稱
  EXPECT_EQ(DataSourceNameMessage(Fault::Empty, ""),
            "\xbd\xd0\xbf\xe9\xa4\x4a\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9");
  // 資料庫名稱「名稱」不可含有下列字元：[]{}(),;?*=!@\ (the characters of the rule)
  EXPECT_EQ(DataSourceNameMessage(Fault::ForbiddenCharacter, "x(y)"),
            "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9\xa1\x75x(y)\xa1\x76"
            "\xa4\xa3\xa5\x69\xa7\x74\xa6\xb3\xa4\x55\xa6\x43\xa6\x72\xa4\xb8\xa1\x47"
            "[]{}(),;?*=!@\\");
  // 資料庫名稱「...」超過32個字元
  const std::string longName(33, 'x');
  EXPECT_EQ(DataSourceNameMessage(Fault::TooLong, longName),
            "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9\xa1\x75" + longName +
                "\xa1\x76\xb6\x57\xb9\x4c"
                "32"
                "\xad\xd3\xa6\x72\xa4\xb8");
  // 「odbc file dsn」是ODBC保留的名稱，不可作為資料庫名稱
  EXPECT_EQ(DataSourceNameMessage(Fault::ReservedName, "odbc file dsn"),
            "\xa1\x75odbc file dsn\xa1\x76\xac\x4f"
            "ODBC"
            "\xab\x4f\xaf\x64\xaa\xba\xa6\x57\xba\xd9\xa1\x41\xa4\xa3\xa5\x69\xa7\x40\xac\xb0"
            "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9");
}

TEST(DataSourceNameMessages, TheNameIsShownAsItIs) {
  // A name holding "%s" is not expanded again, and Big5 bytes pass unchanged.
  const std::string message = DataSourceNameMessage(Fault::ForbiddenCharacter, "%s" + kName + "!");
  EXPECT_NE(message.find("\xa1\x75%s" + kName + "!\xa1\x76"), std::string::npos);
}
