#include "dbengine/AliasEd.h"

#include "dbengine/Session.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"

namespace {

// Restores the session's mode when the operation ends, however it ends.
class ModeRestorer {
 public:
  ModeRestorer(TSession& session, TConfigModes saved) : session_(session), saved_(saved) {}
  ~ModeRestorer() { session_.SetConfigMode(saved_); }
  ModeRestorer(const ModeRestorer&) = delete;
  ModeRestorer& operator=(const ModeRestorer&) = delete;

 private:
  TSession& session_;
  TConfigModes saved_;
};

}  // namespace

const TClassInfo& TAliasEditor::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TAliasEditor>("TAliasEditor", TComponent::StaticClassInfo())
          .Set(
              "ConfigMode", "TConfigModes", {"cfmVirtual", "cfmPersistent", "cfmSession"},
              [](const TAliasEditor& editor) { return editor.ConfigMode().Bits(); },
              [](TAliasEditor& editor, uint32_t bits) {
                editor.SetConfigMode(TConfigModes::FromBits(bits));
              })
          .Default(TConfigModes{cfmPersistent}.Bits());
  return info;
}

TAliasEditor::TAliasEditor(TComponent* owner) : TComponent(owner) {}

TConfigModes TAliasEditor::EnterSession(TSession& session) const {
  if (!session.Active()) session.Open();
  const TConfigModes saved = session.ConfigMode();
  session.SetConfigMode(configMode_);
  return saved;
}

void TAliasEditor::RemoveAlias(const std::string& name) {
  TSession& session = Session();
  const ModeRestorer restore(session, EnterSession(session));
  if (!name.empty()) session.DeleteAlias(name);
  session.SaveConfigFile();
}

void TAliasEditor::ReadAliasParams(const std::string& name, TStrings& list) {
  if (name.empty()) return;
  TSession& session = Session();
  // An engine that cannot start is no failed read: its error reaches the caller.
  const ModeRestorer restore(session, EnterSession(session));
  try {
    session.GetAliasParams(name, list);
  } catch (const Exception&) {
    // The caller goes on with what was read; an alias that is not there reads as no parameters.
  }
}

void TAliasEditor::WriteAliasParams(const std::string& name, const TStrings& list) {
  TSession& session = Session();
  const ModeRestorer restore(session, EnterSession(session));
  if (name.empty()) throw EDatabaseError(FormatErrorText("Invalid alias name %s", name));
  session.ModifyAlias(name, list);
  session.SaveConfigFile();
}
