// The data source box: its list rebuilt from the registry on every drop-down, a chosen data
// source's server and password taken over, typed names joining a box's list, and the delete
// button. The list keeps no state of its own, so a deleted data source is gone at the next
// drop-down and a newly registered one is there.
#include "app/DataSourceDeletionRefusal.h"
#include "app/DataSourceFilter.h"
#include "app/win32/DataSourceListStore.h"
#include "app/win32/LintoraMain.h"
#include "components/Memos.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/MessageBox.h"
#include "dbengine/AliasEd.h"
#include "framework/win32/LocaleCompare.h"

void TLintoraForm::CBox1DropDown(TComponent*) {
  ListDataSources(MySqlDriverFilter, CBox1->Items());
}

// Only the user's own record is read: choosing a machine's data source changes nothing.
void TLintoraForm::CBox1Click(TComponent*) {
  const std::string name = CBox1->Text();
  if (name.empty()) return;
  std::string server, password;
  if (!ReadUserServerAndPassword(name, server, password)) return;
  CBox2->SetText(server);
  Edit4->SetText(password);
}

// This is how the server box's host list grows; a name added to the data source box lasts only
// until its next drop-down.
void TLintoraForm::CBox1Exit(TComponent* sender) {
  auto* box = dynamic_cast<TComboBox*>(sender);
  if (!box) return;
  const std::string text = box->Text();
  if (!ListHoldsText(box->Items(), text, AnsiUpperCase)) box->Items().Add(text);
}

// A name that cannot be deleted is refused before the question: better told at once than asked
// to confirm what cannot happen.
void TLintoraForm::BtnDeleteClick(TComponent*) {
  const std::string name = CBox1->Text();
  RefuseUndeletableDataSourceName(name);
  if (MessageDlg(Memos1->Lookup("S_DELETE"), mtConfirmation, mbYesNo, FormCodePage()) == mrYes) {
    DeleteDataSource(name);
  }
}

// The data source's lines in ODBC.INI, the driver records, the default data source (unless it is
// the one named) and the driver files stay; so do the box's text and items.
void TLintoraForm::DeleteDataSource(const std::string& name) {
  RefuseUndeletableDataSourceName(name);
  DeleteDataSourceEntries(name);
  AliasEditor1->RemoveAlias(name);
}
