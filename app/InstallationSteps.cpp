#include "app/InstallationSteps.h"

#include "dbengine/SqlIdentifier.h"

std::string DriverFileName(const std::string& fileName) {
  const size_t separator = fileName.find_last_of("\\:");
  return separator == std::string::npos ? fileName : fileName.substr(separator + 1);
}

std::string CreateDatabaseStatement(const std::string& dataSourceName) {
  return "CREATE DATABASE IF NOT EXISTS " + QuoteIdentifier(dataSourceName);
}
