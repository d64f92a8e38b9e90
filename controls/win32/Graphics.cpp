#include "controls/win32/Graphics.h"

#include "framework/CodePages.h"
#include "framework/win32/WideText.h"

namespace {
enum TFontField : unsigned { ffCharset = 1, ffColor = 2, ffHeight = 4, ffName = 8, ffStyle = 16 };
constexpr int kPixelsPerInch = 96;

}  // namespace

// The system default character set stands for the system's code page; the form's texts are in
// their own code set, so their font must cover that one whatever the system is.
BYTE ChineseCharsetFor(int charset, unsigned codePage) {
  if (charset == DEFAULT_CHARSET && codePage == kBig5CodePage) return CHINESEBIG5_CHARSET;
  if (charset == DEFAULT_CHARSET && codePage == kGb2312CodePage) return GB2312_CHARSET;
  return static_cast<BYTE>(charset);
}

COLORREF ColorToRGB(TColor color) {
  if ((color & clSystemColor) == clSystemColor) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFont>("TFont")
          .Integer("Charset", &TFont::Charset, &TFont::SetCharset)
          .TypeName("TFontCharset")
          .Default(DEFAULT_CHARSET)
          .Integer("Color", &TFont::Color, &TFont::SetColor)
          .TypeName("TColor")
          .Default(clWindowText)
          .Integer("Height", &TFont::Height, &TFont::SetHeight)
          .Stored([](const TFont&) { return true; })
          .String("Name", &TFont::Name, &TFont::SetName)
          .TypeName("TFontName")
          .Integer("Size", &TFont::Size, &TFont::SetSize)
          .Stored([](const TFont&) { return false; })
          .Set("Style", "TFontStyles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
               &TFont::Style, &TFont::SetStyle)
          .Default(0);
  return info;
}

TFont::TFont() = default;

void TFont::Changed(unsigned field) {
  explicit_ |= field;
  handle_.Reset();
  if (OnChange) OnChange();
}

void TFont::SetCharset(int charset) {
  charset_ = charset;
  Changed(ffCharset);
}
void TFont::SetColor(TColor color) {
  color_ = color;
  Changed(ffColor);
}
void TFont::SetHeight(int height) {
  height_ = height;
  Changed(ffHeight);
}
void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed(ffName);
}
void TFont::SetStyle(uint32_t style) {
  style_ = style;
  Changed(ffStyle);
}
int TFont::Size() const {
  return -MulDiv(height_, 72, kPixelsPerInch);
}
void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::Assign(const TFont& other) {
  charset_ = other.charset_;
  color_ = other.color_;
  height_ = other.height_;
  name_ = other.name_;
  style_ = other.style_;
  explicit_ = other.explicit_;
  handle_.Reset();
  if (OnChange) OnChange();
}

void TFont::InheritFrom(const TFont& parent) {
  if (!(explicit_ & ffCharset)) charset_ = parent.charset_;
  if (!(explicit_ & ffColor)) color_ = parent.color_;
  if (!(explicit_ & ffHeight)) height_ = parent.height_;
  if (!(explicit_ & ffName)) name_ = parent.name_;
  if (!(explicit_ & ffStyle)) style_ = parent.style_;
  handle_.Reset();
  if (OnChange) OnChange();
}

void TFont::SetNameCodePage(unsigned codePage) {
  if (codePage == nameCodePage_) return;
  nameCodePage_ = codePage;
  handle_.Reset();
  if (OnChange) OnChange();  // the windows that show the font take the new one
}

HFONT TFont::Handle() const {
  if (!handle_) {
    handle_.Reset(CreateFontW(height_, 0, 0, 0, (style_ & 1) ? FW_BOLD : FW_NORMAL,
                              (style_ & 2) != 0, (style_ & 4) != 0, (style_ & 8) != 0,
                              ChineseCharsetFor(charset_, nameCodePage_), OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                              WideFromCodePage(name_, nameCodePage_).c_str()));
  }
  return handle_.Get();
}
