// The dialog's start-up language steps: the language files of the user data folder filled and
// applied (steps A and B), and on a Simplified-Chinese system without a language file of its own
// the whole dialog converted from Big5 to GB2312 (step C), with three captions that always read
// in GB2312 there (step D).
#include "app/win32/LintoraMain.h"
#include "controls/win32/Label.h"
#include "framework/win32/FileHandle.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/LanguagePaths.h"
#include "i18n/win32/LanguageFiles.h"

namespace {
// GB2312 texts, whatever steps B and C left in these captions.
const char* const kDatabaseDescription = "\xca\xfd\xbe\xdd\xbf\xe2\xcb\xb5\xc3\xf7";  // 数据库说明
const char* const kDatabaseName = "\xca\xfd\xbe\xdd\xbf\xe2\xc3\xfb\xb3\xc6";  // 数据库名称
const char* const kInstallationComplete =
    "\xd7\xca\xc1\xcf\xbf\xe2\xc3\xfb\xb3\xc6\xb0\xb2\xd7\xb0\xcd\xea\xb3\xc9";  // 资料库名称安装完成
}  // namespace

void TLintoraForm::UseLanguageFiles() {
  SetLanguageFolder(userDataFolder_);
  ApplyLanguageFiles(*this, false);
}

void TLintoraForm::ConvertForSimplifiedChinese() {
  if (!FileExists(CurrentLanguageFile())) ConvertFormToGB(*this);
  if (GetChineseSystemKind() == 1) {
    Label10->SetCaption(kDatabaseDescription);
    Label1->SetCaption(kDatabaseName);
    Label11->SetCaption(kInstallationComplete);
  }
}
