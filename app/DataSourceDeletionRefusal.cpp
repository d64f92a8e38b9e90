#include "app/DataSourceDeletionRefusal.h"

#include "dbengine/DataSourceName.h"
#include "framework/CodePages.h"
#include "framework/Exceptions.h"

namespace {
// 請輸入要刪除的資料庫名稱
const char* const kEmptyName =
    "\xbd\xd0\xbf\xe9\xa4\x4a\xad\x6e\xa7\x52\xb0\xa3\xaa\xba\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba"
    "\xd9";
// 無法刪除「%s」：資料庫名稱不可含有「\」字元
const char* const kBackslash =
    "\xb5\x4c\xaa\x6b\xa7\x52\xb0\xa3\xa1\x75%s\xa1\x76\xa1\x47\xb8\xea\xae\xc6\xae\x77\xa6\x57"
    "\xba\xd9\xa4\xa3\xa5\x69\xa7\x74\xa6\xb3\xa1\x75\\\xa1\x76\xa6\x72\xa4\xb8";
// 無法刪除：資料庫名稱含有控制字元 (the name itself would break the message's line)
const char* const kControlCharacter =
    "\xb5\x4c\xaa\x6b\xa7\x52\xb0\xa3\xa1\x47\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9\xa7\x74"
    "\xa6\xb3\xb1\xb1\xa8\xee\xa6\x72\xa4\xb8";
// 無法刪除「%s」：這是 ODBC 保留的名稱
const char* const kReservedName =
    "\xb5\x4c\xaa\x6b\xa7\x52\xb0\xa3\xa1\x75%s\xa1\x76\xa1\x47\xb3\x6f\xac\x4f ODBC \xab\x4f\xaf"
    "\x64\xaa\xba\xa6\x57\xba\xd9";
}  // namespace

std::string DeletionRefusalMessage(const std::string& name) {
  switch (CheckExistingDataSourceName(name)) {
    case DataSourceNameFault::Empty:
      return kEmptyName;
    case DataSourceNameFault::ForbiddenCharacter:
      return FormatErrorText(kBackslash, name);
    case DataSourceNameFault::ControlCharacter:
      return kControlCharacter;
    case DataSourceNameFault::ReservedName:
      return FormatErrorText(kReservedName, name);
    case DataSourceNameFault::None:
    case DataSourceNameFault::TooLong:  // registration's limit: a long existing name goes too
      break;
  }
  return std::string();
}

void RefuseUndeletableDataSourceName(const std::string& name) {
  const std::string refusal = DeletionRefusalMessage(name);
  if (!refusal.empty()) throw Exception(refusal, kBig5CodePage);
}
