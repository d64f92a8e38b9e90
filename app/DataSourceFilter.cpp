#include "app/DataSourceFilter.h"

DataSourceFilter::DataSourceFilter(const std::string& filter, UpperCaseFunction upperCase)
    : upperCase_(upperCase), upperFilter_(upperCase(filter)) {}

bool DataSourceFilter::DriverMatches(const std::string& driver, DriverMatch match) const {
  const std::string upperDriver = upperCase_(driver);
  if (match == DriverMatch::Equals) return upperDriver == upperFilter_;
  return upperDriver.find(upperFilter_) != std::string::npos;
}

bool DataSourceFilter::Offer(const std::string& name, const std::string& driver,
                             DriverMatch match) {
  if (!DriverMatches(driver, match)) return false;
  std::string upperName = upperCase_(name);
  if (upperName == upperFilter_) return false;
  if (!upperNamesKept_.insert(std::move(upperName)).second) return false;
  offered_.Add(name);
  return true;
}

bool ListHoldsText(const TStrings& list, const std::string& text, UpperCaseFunction upperCase) {
  const std::string upperText = upperCase(text);
  for (const std::string& item : list.Lines()) {
    if (upperCase(item) == upperText) return true;
  }
  return false;
}
