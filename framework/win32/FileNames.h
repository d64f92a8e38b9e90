#pragma once
// Path name pieces for 8-bit ANSI paths. A Big5 or GBK trail byte can be 0x5C, the backslash,
// so the text is scanned character by character in the ANSI code page: such a byte never
// counts as a path delimiter.
#include <string>

// The path with one "\" at its end, added when its last character is not "\".
std::string IncludeTrailingBackslash(const std::string& path);
// The path without the "\" characters at its end.
std::string ExcludeTrailingBackslash(const std::string& path);
// Folder part including its final "\" (or drive ":"); empty when there is none.
std::string ExtractFilePath(const std::string& path);
// The part after the last "\" or drive ":".
std::string ExtractFileName(const std::string& path);
// The path with the extension of its final component replaced by extension (".Ini"), or the
// extension added when it has none.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
