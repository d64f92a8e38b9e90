#pragma once
// The conversion tables this build generated (<build>/tables), loaded once for the tests.
#include <string>

#include "i18n/TableFolder.h"

#ifndef LINTORA_TABLES_DIR
#error "tests/unit/i18n/CMakeLists.txt defines LINTORA_TABLES_DIR"
#endif

inline TableFolderPlatform& BuildTablesPlatform() {
  static TableFolderPlatform platform(LINTORA_TABLES_DIR);
  return platform;
}

// The table of that name; the test fails when the build has not made it.
inline ConversionTable BuildTable(const std::string& name) {
  static const auto gbToBig = BuildTablesPlatform().LoadTable("GBTRSBIG");
  static const auto bigToGb = BuildTablesPlatform().LoadTable("BIGTRSGB");
  const auto& table = name == "GBTRSBIG" ? gbToBig : bigToGb;
  return table ? table->Table() : ConversionTable{};
}
