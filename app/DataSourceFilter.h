#pragma once
// Which existing data sources the data source box offers. The driver manager lists every data
// source by name together with its driver's name; the box offers one driver family, named by a
// filter ("MySql"): a user's data source whose driver name holds the filter ("MySQL ODBC 5.3
// Driver"), a machine's only when its driver name is the filter itself ("MySQL"), never the
// default data source that bears the filter's name ("mysql"), and each name once. Letter case
// never matters: texts are compared upper-cased, as the system's code page upper-cases them.
#include <string>

class TStrings;

using UpperCaseFunction = std::string (*)(std::string text);

enum class DriverMatch {
  Contains,  // the user's data sources
  Equals,    // the machine's
};

class DataSourceFilter {
 public:
  DataSourceFilter(const std::string& filter, UpperCaseFunction upperCase);

  // Adds name to list when the filter offers it and no item equals it; true when it was added.
  bool Offer(const std::string& name, const std::string& driver, DriverMatch match,
             TStrings& list) const;

 private:
  bool DriverMatches(const std::string& driver, DriverMatch match) const;

  UpperCaseFunction upperCase_;
  std::string upperFilter_;
};

// Whether an item of list equals text, letter case ignored as upperCase folds it.
bool ListHoldsText(const TStrings& list, const std::string& text, UpperCaseFunction upperCase);
