#include "app/DataSourceNameMessages.h"

#include "framework/Exceptions.h"

namespace {

// The dialog calls a data source "資料庫名稱" (Label1), so the texts do too. "%s" is the name.
const char* const kEmpty =
    "\xbd\xd0\xbf\xe9\xa4\x4a\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9";  // 請輸入資料庫名稱
const char* const kForbiddenCharacter =
    "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9\xa1\x75%s\xa1\x76"  // 資料庫名稱「%s」
    "\xa4\xa3\xa5\x69\xa7\x74\xa6\xb3\xa4\x55\xa6\x43\xa6\x72\xa4\xb8\xa1\x47";  // 不可含有下列字元：
const char* const kTooLong =
    "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9\xa1\x75%s\xa1\x76"  // 資料庫名稱「%s」
    "\xb6\x57\xb9\x4c";                                           // 超過
const char* const kCharacters = "\xad\xd3\xa6\x72\xa4\xb8";       // 個字元
const char* const kReservedName =
    "\xa1\x75%s\xa1\x76\xac\x4f"  // 「%s」是
    "ODBC"
    "\xab\x4f\xaf\x64\xaa\xba\xa6\x57\xba\xd9\xa1\x41"  // 保留的名稱，
    "\xa4\xa3\xa5\x69\xa7\x40\xac\xb0"                  // 不可作為
    "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9";         // 資料庫名稱

}  // namespace

std::string DataSourceNameMessage(DataSourceNameFault fault, const std::string& name) {
  switch (fault) {
    case DataSourceNameFault::None:
      return std::string();
    case DataSourceNameFault::Empty:
      return kEmpty;
    case DataSourceNameFault::ForbiddenCharacter:
      return FormatErrorText(kForbiddenCharacter, name) + ForbiddenDataSourceNameCharacters;
    case DataSourceNameFault::TooLong:
      return FormatErrorText(kTooLong, name) + std::to_string(kMaxDataSourceNameLength) +
             kCharacters;
    case DataSourceNameFault::ReservedName:
      return FormatErrorText(kReservedName, name);
  }
  return std::string();
}
