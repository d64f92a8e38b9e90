// The data source box: its list as the registry gives it at every drop-down, a chosen data
// source's server and password taken over, typed names joining a box's list, and the delete
// button. A deleted data source is gone at the next drop-down and a newly registered one is
// there: the list prepared ahead is taken only while nothing changed below the lists' keys.
#include "app/DataSourceDeletionRefusal.h"
#include "app/DataSourceFilter.h"
#include "app/win32/DataSourceListStore.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/PreparedDataSourceList.h"
#include "components/Memos.h"
#include "controls/win32/Application.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/MessageBox.h"
#include "dbengine/AliasEd.h"
#include "framework/win32/LocaleCompare.h"

void TLintoraForm::CBox1DropDown(TComponent*) {
  dataSources_->Fill(CBox1->Items());
}

// Shown, the dialog has time to spare before the user opens the box: the list is read then, on a
// thread of its own, and handed to the box in idle time. A dialog never shown (an "AUTO" run)
// reads nothing.
void TLintoraForm::SetVisible(bool visible) {
  TForm::SetVisible(visible);
  if (visible) dataSources_->Prepare(Handle());
}

// Only an empty box is filled ahead, once: a name typed into the box meanwhile stays in its list
// until the drop-down, as always, and a box filled before is brought up to date by the
// drop-down, where only what changed costs time. A reading overtaken by a change is done again.
void TLintoraForm::DataSourcesRead() {
  const TStringList* names = dataSources_->FirstReadyList();
  if (names && CBox1->Items().Count() == 0) CBox1->AssignItemsWhenIdle(*names);
  dataSources_->Refresh();
}

LRESULT TLintoraForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kDataSourcesReadMessage && message != kDataSourcesChangedMessage) {
    return TForm::WndProc(message, wParam, lParam);
  }
  try {
    if (message == kDataSourcesReadMessage) {
      DataSourcesRead();
    } else {
      dataSources_->Refresh();
    }
  } catch (...) {
    Application->HandleException(this);
  }
  return 0;
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
