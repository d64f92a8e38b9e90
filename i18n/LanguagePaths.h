#pragma once
// Where the language files are: the process-wide language folder and the three file paths made
// from it. The program sets the folder to its own folder at start, and start-up sets it again to
// the user data folder. The user's default language identifier, asked through the converter
// platform (ConverterPlatform.h), picks the current language file: 0x0404 Taiwan.Prop, 0x0804
// China.Prop, 0x0809 English.Prop (which nothing reads), any other none.
#include <string>

// folder ends in "\".
void SetLanguageFolder(const std::string& folder);
// Every path empty again, as at program start.
void ClearLanguagePaths();

const std::string& LanguageFolder();
const std::string& TraditionalLanguageFile();  // folder + "Taiwan.Prop"
const std::string& SimplifiedLanguageFile();   // folder + "China.Prop"
const std::string& CurrentLanguageFile();      // by the language, see above; may be empty
