#include "controls/win32/Panel.h"

#include "framework/win32/GdiObject.h"
#include "framework/win32/WideText.h"

namespace {
// A bevel of the given width just inside r; r shrinks by it.
void DrawBevel(HDC dc, RECT& r, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = bevel == bvLowered  ? dark
                           : bevel == bvRaised ? light
                                               : GetSysColor(COLOR_BTNFACE);
  const COLORREF bottomRight = bevel == bvLowered ? light : bevel == bvRaised ? dark : topLeft;
  for (int i = 0; i < width; ++i) {
    BrushHandle first(CreateSolidBrush(topLeft));
    BrushHandle second(CreateSolidBrush(bottomRight));
    RECT top = {r.left, r.top, r.right - 1, r.top + 1};
    RECT left = {r.left, r.top, r.left + 1, r.bottom - 1};
    RECT bottom = {r.left, r.bottom - 1, r.right, r.bottom};
    RECT right = {r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, first.Get());
    FillRect(dc, &left, first.Get());
    FillRect(dc, &bottom, second.Get());
    FillRect(dc, &right, second.Get());
    InflateRect(&r, -1, -1);
  }
}
}  // namespace

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPanel>("TPanel", TCustomContainer::StaticClassInfo())
          .Enum<TAlignment>("Alignment", "TAlignment",
                            {"taLeftJustify", "taRightJustify", "taCenter"}, &TPanel::Alignment,
                            &TPanel::SetAlignment)
          .Default(taCenter)
          .Enum<TPanelBevel>("BevelInner", "TPanelBevel",
                             {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::BevelInner,
                             &TPanel::SetBevelInner)
          .Default(bvNone)
          .Enum<TPanelBevel>("BevelOuter", "TPanelBevel",
                             {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::BevelOuter,
                             &TPanel::SetBevelOuter)
          .Default(bvRaised)
          .Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
          .Default(1)
          .String("Caption", &TPanel::Caption, &TPanel::SetCaption)
          .TypeName("TCaption");
  return info;
}

TPanel::TPanel(TComponent* owner) : TCustomContainer(owner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}
void TPanel::SetBevelInner(TPanelBevel bevel) {
  bevelInner_ = bevel;
  Invalidate();
}
void TPanel::SetBevelOuter(TPanelBevel bevel) {
  bevelOuter_ = bevel;
  Invalidate();
}
void TPanel::SetBevelWidth(int width) {
  bevelWidth_ = width;
  Invalidate();
}

void TPanel::Paint(HDC dc, const RECT& client) {
  TCustomContainer::Paint(dc, client);
  RECT r = client;
  DrawBevel(dc, r, bevelOuter_, bevelWidth_);
  DrawBevel(dc, r, bevelInner_, bevelWidth_);
  const std::wstring text = WideFromCodePage(caption_, TextCodePage());
  if (text.empty()) return;
  SelectedObject font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  const UINT align = alignment_ == taCenter         ? DT_CENTER
                     : alignment_ == taRightJustify ? DT_RIGHT
                                                    : DT_LEFT;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

// The caption is painted, so a new one must be shown.
LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TCustomContainer::WndProc(message, wParam, lParam);
  if (message == WM_SETTEXT) Invalidate();
  return result;
}
