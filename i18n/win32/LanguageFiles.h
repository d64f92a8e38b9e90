#pragma once
// Language files: profile (INI) files in the language folder (i18n/LanguagePaths.h) that hold a
// form's texts, one section per form class, one key per text ("Label1.Caption", "Memos1.Lines"
// with the list's lines joined by "|"). The program fills the files someone placed there with the
// form's built-in texts where they lack them, and applies the file of the user's language, so
// that a site can re-word the dialog. It never creates a language file.
//
//   [FileInfo]
//   Language=繁體中文(TAIWAN,HK)
//   [TLintoraForm]
//   LintoraForm.Caption=安裝MySQL連結
//   BtnAddParams25.Caption=Install
//   Label1.Caption = '資料庫'            <- as people may write it; read as Label1.Caption=資料庫
//   Memos1.Lines=S_Link=連結|S_Fail=失敗|...|
#include <string>

class TComponent;
class TIniFile;

// Fills the Traditional file (Big5 texts) and the Simplified file (texts converted to GB2312)
// where they exist: the "Language" name while it is empty, the form's section while it is
// missing or when force is true. After filling each, applies it to the form when it is the file
// of the user's language (0x0404 Traditional, 0x0804 Simplified).
void ApplyLanguageFiles(TComponent& form, bool force);

// Writes the form's texts into the language file at path (the current language file when path
// is empty): the form's caption, then for every owned component, sorted by name in the string
// lists' order, its Caption, DisplayLabel, Hint, Lines, Items and Columns, as ExportProperty
// writes them. convert turns every value from Big5 into GB2312 first.
void ExportFormTexts(TComponent& form, const std::string& path, bool convert);

// Writes one property of one component, under the section of the form's class and the key
// component name + "." + property name. Only string lists of the type TStringList and text
// properties of the long-string kind are written, texts only when they are neither empty nor a
// single space; nothing of a TDataListPanel, nor the caption of a TNewBtn that shows its caption
// by itself (AutoShowCaption).
void ExportProperty(TIniFile& file, TComponent& component, const std::string& name, bool convert);

// Sets the form's properties from the section of the current language file (see
// LanguageFileText.h for how a line names its target). Lines naming no component of the form or
// no published property are skipped; an enumeration value that is no identifier of its type
// raises EReadError "Invalid property element: %s" and ends the import there.
void ImportFormTexts(const std::string& section, TComponent& form);

// Writes the value only when the file exists; a failing write is ignored.
void WriteIniIfExists(TIniFile& file, const std::string& section, const std::string& key,
                      const std::string& value);
