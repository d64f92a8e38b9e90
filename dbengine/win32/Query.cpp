#include "dbengine/win32/Query.h"

#include "dbengine/Session.h"
#include "dbengine/win32/Database.h"
#include "framework/TextCompare.h"

const TClassInfo& TQuery::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TQuery>("TQuery", TComponent::StaticClassInfo())
          .String("DatabaseName", &TQuery::DatabaseName, &TQuery::SetDatabaseName)
          .Strings(
              "SQL", "TStrings", [](TQuery& query) -> TStrings& { return query.SQL(); },
              [](TQuery& query, const TStrings& lines) { query.SQL().Assign(lines); });
  return info;
}

TQuery::TQuery(TComponent* owner) : TComponent(owner) {}

TQuery::~TQuery() = default;

const std::string& TQuery::CharacterSet() {
  return FindOrMakeDatabase().CharacterSet();
}

TDatabase& TQuery::FindOrMakeDatabase() {
  for (TDatabase* database : Session().Databases())
    if (database != ownDatabase_.get() && SameText(database->DatabaseName(), databaseName_))
      return *database;
  if (!ownDatabase_ || !SameText(ownDatabase_->DatabaseName(), databaseName_)) {
    ownDatabase_.reset();
    ownDatabase_ = std::make_unique<TDatabase>(nullptr);
    ownDatabase_->SetDatabaseName(databaseName_);
  }
  return *ownDatabase_;
}

void TQuery::ExecSQL() {
  std::string statement = sql_.Text();
  // The list ends every line with a line break; the last one is not part of the statement.
  while (!statement.empty() && (statement.back() == '\n' || statement.back() == '\r'))
    statement.pop_back();
  // Execute opens the database when needed, within the same time limit as the statement.
  FindOrMakeDatabase().Execute(statement);
}
