#include "app/InstallationSteps.h"

#include "dbengine/SqlIdentifier.h"

std::string DriverFileName(const std::string& fileName) {
  const size_t separator = fileName.find_last_of("\\:");
  return separator == std::string::npos ? fileName : fileName.substr(separator + 1);
}

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f || c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

std::string NotAPlainFileNameMessage(const std::string& name) {
  return "Driver file name is not a plain file name: '" + name + "'";
}

std::string CreateDatabaseStatement(const std::string& dataSourceName,
                                    const std::string& characterSet) {
  return "CREATE DATABASE IF NOT EXISTS " + QuoteIdentifier(dataSourceName, characterSet);
}
