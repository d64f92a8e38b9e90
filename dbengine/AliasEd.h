// TAliasEditor: removes an engine alias and reads and rewrites its parameters, working on the
// configuration layers of its ConfigMode while the session's own mode is kept aside.
#pragma once

#include <string>

#include "dbengine/ConfigMode.h"
#include "framework/Component.h"

class TSession;
class TStrings;

class TAliasEditor : public TComponent {
  LINTORA_PUBLISHED(TAliasEditor)
 public:
  explicit TAliasEditor(TComponent* owner);

  TConfigModes ConfigMode() const { return configMode_; }
  void SetConfigMode(TConfigModes mode) { configMode_ = mode; }

  // Deletes the alias and saves the configuration; engine errors pass on. An empty name touches
  // no alias (the configuration is still saved).
  void RemoveAlias(const std::string& name);
  // Fills list with the alias's parameters; an empty name leaves list untouched; errors of the
  // read are swallowed, leaving list as far as it was filled, but an engine that cannot start
  // raises its error.
  void ReadAliasParams(const std::string& name, TStrings& list);
  // Changes the parameters the alias has to the list's values and saves the configuration;
  // engine errors pass on. An empty name touches no alias and raises "Invalid alias name".
  void WriteAliasParams(const std::string& name, const TStrings& list);

 private:
  // Steps 1 and 2 of every operation: activate the session, keep its mode and set ours.
  TConfigModes EnterSession(TSession& session) const;

  TConfigModes configMode_{cfmPersistent};
};
