#include "controls/win32/ListView.h"

#include <commctrl.h>

#include <vector>

#include "controls/win32/CommonControls.h"
#include "framework/win32/WideText.h"

// --- TListColumn, TListColumns -------------------------------------------------------------------

const TClassInfo& TListColumn::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListColumn>("TListColumn", TCollectionItem::StaticClassInfo())
          .String("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
          .TypeName("TCaption")
          .Integer("Width", &TListColumn::Width, &TListColumn::SetWidth)
          .Default(50);
  return info;
}

void TListColumn::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TListColumn::SetWidth(int width) {
  width_ = width;
  Changed();
}

const TClassInfo& TListColumns::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListColumns>("TListColumns", TCollection::StaticClassInfo());
  return info;
}

TListColumns::TListColumns() : TCollection([] { return std::make_unique<TListColumn>(); }) {}

// --- TListView ----------------------------------------------------------------------------------

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListView>("TListView", TWinControl::StaticClassInfo())
          .Object("Columns", "TListColumns",
                  [](TListView& v) -> TListColumns& { return v.Columns(); });
  return info;
}

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 250, 150);
  columns_.OnUpdate = [this](TCollectionItem* column) { ColumnsChanged(column); };
}

TListView::~TListView() {
  columns_.OnUpdate = nullptr;
}

TControl::TCreateParams TListView::CreateParams() const {
  TCreateParams params;
  params.className = WC_LISTVIEWA;
  params.style = LVS_REPORT | LVS_SHOWSELALWAYS;
  params.exStyle = WS_EX_CLIENTEDGE;
  return params;
}

// The list view's window class comes with the common controls, registered on request.
void TListView::CreateHandle() {
  InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateHandle();
}

void TListView::InitializeHandle() {
  for (int i = 0; i < columns_.Count(); ++i) ShowColumn(i, true);
}

void TListView::ShowColumn(int i, bool insert) {
  TListColumn* column = columns_.Items(i);
  std::wstring text = WideFromCodePage(column->Caption(), FormCodePage());
  LVCOLUMNW header = {};
  header.mask = LVCF_TEXT | LVCF_WIDTH;
  header.pszText = &text[0];
  header.cx = column->Width();
  SendMessageW(WindowHandleOrNull(), insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW,
               static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&header));
}

// One column changed: that header follows; columns added or removed: the header is made anew.
void TListView::ColumnsChanged(TCollectionItem* column) {
  HWND window = WindowHandleOrNull();
  if (!window) return;
  if (column) {
    ShowColumn(column->Index(), false);
    return;
  }
  while (SendMessageA(window, LVM_DELETECOLUMN, 0, 0)) {
  }
  InitializeHandle();
}

std::string TListView::ColumnText(int i) const {
  HWND window = WindowHandleOrNull();
  if (!window) return columns_.Items(i)->Caption();
  const std::wstring text = ReadWholeText([window, i](wchar_t* buffer, int size) {
    LVCOLUMNW header = {};
    header.mask = LVCF_TEXT;
    header.pszText = buffer;
    header.cchTextMax = size;
    // The list view may answer with a text of its own instead of copying into the buffer.
    if (!SendMessageW(window, LVM_GETCOLUMNW, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&header))) {
      return false;
    }
    if (header.pszText != buffer) lstrcpynW(buffer, header.pszText, size);
    return true;
  });
  return CodePageFromWide(text, FormCodePage());
}
