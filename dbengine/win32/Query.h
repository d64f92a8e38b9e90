#pragma once
// The engine's query object: runs its statement on the database object of its DatabaseName,
// opening that database when needed and leaving it open.
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Strings.h"

class TDatabase;

class TQuery : public TComponent {
  LINTORA_PUBLISHED(TQuery)
 public:
  explicit TQuery(TComponent* owner);
  ~TQuery() override;

  const std::string& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const std::string& name) { databaseName_ = name; }
  TStrings& SQL() { return sql_; }
  const TStrings& SQL() const { return sql_; }

  // Runs the statement without reading a result set. The database is the session's database
  // object of that name; without one the query makes its own, which it keeps.
  void ExecSQL();
  // The character set of the connection the statement runs on (TDatabase::CharacterSet), for
  // quoting names in it; opens that connection when needed.
  const std::string& CharacterSet();

 private:
  TDatabase& FindOrMakeDatabase();

  std::string databaseName_;
  TStringList sql_;
  std::unique_ptr<TDatabase> ownDatabase_;
};
