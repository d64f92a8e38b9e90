// The dialog's saved fields: which control shows which field, and loading and saving them.
#include <array>
#include <utility>

#include "app/SetupFields.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SettingsStore.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"

namespace {
using FieldControl = std::pair<std::string TSetupFields::*, TControl*>;

// The one place that pairs the fields with the controls showing them.
std::array<FieldControl, 10> FieldControls(const TLintoraForm& form) {
  return {{{&TSetupFields::DbType, form.CBox0},
           {&TSetupFields::DataSource, form.CBox1},
           {&TSetupFields::Server, form.CBox2},
           {&TSetupFields::Charset, form.CBox5},
           {&TSetupFields::User, form.Edit3},
           {&TSetupFields::Password, form.Edit4},
           {&TSetupFields::Option, form.Edit5},
           {&TSetupFields::Port, form.Edit6},
           {&TSetupFields::BlobSize, form.Edit7},
           {&TSetupFields::BlobsToCache, form.Edit8}}};
}
}  // namespace

TSetupFields TLintoraForm::EnteredFields() const {
  TSetupFields fields;
  for (const FieldControl& pair : FieldControls(*this)) fields.*pair.first = pair.second->Text();
  return fields;
}

void TLintoraForm::ShowFields(const TSetupFields& fields) {
  for (const FieldControl& pair : FieldControls(*this)) pair.second->SetText(fields.*pair.first);
}

void TLintoraForm::BtnInitClick(TComponent*) {
  LoadSettings();
}

// The two BLOB fields have no built-in default: they keep what the stored form shows. Each value
// is shown as it is read, so a value that stops the loading leaves the ones before it shown and
// the later fields as the form has them; the settings file's fields follow once it is read.
TSetupFields TLintoraForm::LoadSettings() {
  const TSetupFields shown = EnteredFields();
  TSetupFields fields;
  fields.BlobSize = shown.BlobSize;
  fields.BlobsToCache = shown.BlobsToCache;
  fields.Load([this](std::string TSetupFields::*field, const std::string& value) {
    for (const FieldControl& pair : FieldControls(*this)) {
      if (pair.first == field) pair.second->SetText(value);
    }
  });
  ShowFields(fields);
  CBox0Change(this);
  return fields;
}

void TLintoraForm::SaveSettings() {
  EnteredFields().Save();
  SaveNameList(HostListName, CBox2->Items());
}
