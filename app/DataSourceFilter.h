#pragma once
// Which existing data sources the data source box offers. The driver manager lists every data
// source by name together with its driver's name; the box offers one driver family, named by a
// filter ("MySql"): a user's data source whose driver name holds the filter ("MySQL ODBC 5.3
// Driver"), a machine's only when its driver name is the filter itself ("MySQL"), never the
// default data source that bears the filter's name ("mysql"), and each name once. Letter case
// never matters: texts are compared upper-cased, as the system's code page upper-cases them.
//
// A machine may list thousands of data sources: each name is upper-cased once and looked up in a
// set, so that gathering them takes time in proportion to their number.
#include <string>
#include <unordered_set>

#include "framework/Strings.h"

using UpperCaseFunction = std::string (*)(std::string text);

enum class DriverMatch {
  Contains,  // the user's data sources
  Equals,    // the machine's
};

class DataSourceFilter {
 public:
  DataSourceFilter(const std::string& filter, UpperCaseFunction upperCase);

  // Keeps name when the filter offers it and no name kept before equals it; true when kept.
  bool Offer(const std::string& name, const std::string& driver, DriverMatch match);

  // The names kept, in the order they were offered. A sorted list given them by Assign sorts
  // them once, in the same order as adding them one by one would.
  const TStringList& Offered() const { return offered_; }

 private:
  bool DriverMatches(const std::string& driver, DriverMatch match) const;

  UpperCaseFunction upperCase_;
  std::string upperFilter_;
  std::unordered_set<std::string> upperNamesKept_;
  TStringList offered_;
};

// Whether an item of list equals text, letter case ignored as upperCase folds it.
bool ListHoldsText(const TStrings& list, const std::string& text, UpperCaseFunction upperCase);
