// The settings file's section on any bytes, as NAME=value lines: applying it sets exactly the
// five fields the file presets, each to a text of one line, and leaves the other five as they
// were, whatever names, repeats or line breaks the section holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/SetupFields.h"
#include "framework/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStringList section;
  section.SetText(std::string(reinterpret_cast<const char*>(data), size));
  const TSetupFields before;
  TSetupFields fields;
  fields.ApplySettingsFile(section);
  for (const TSetupFields::Field& field : TSetupFields::Fields) {
    const std::string& value = fields.*field.value;
    if (!field.inSettingsFile && value != before.*field.value) std::abort();
    if (value.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  return 0;
}
