#pragma once
// Colours and fonts of the controls. A colour is stored as an integer: 0x00BBGGRR for an RGB
// colour, or a system colour (clSystemColor | COLOR_xxx) that follows the user's scheme.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/CodePages.h"
#include "framework/Persistent.h"
#include "framework/Rtti.h"
#include "framework/win32/GdiObject.h"

using TColor = int32_t;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;

// The RGB value of a colour, system colours looked up now.
COLORREF ColorToRGB(TColor color);

// The character set a font of texts in codePage is made with: the default one (which follows the
// system's code page) becomes the Chinese set of a Big5 or GB2312 code set.
BYTE ChineseCharsetFor(int charset, unsigned codePage);

// A control's font. Every field that was set explicitly stays when the font follows its parent
// control's font (Assign from the parent copies the others only); see TControl::ParentFont.
class TFont : public TPersistent {
  LINTORA_PUBLISHED(TFont)
 public:
  TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Negative: the character height in pixels; positive: the cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Points at 96 pixels per inch; the font is not scaled with the screen.
  int Size() const;
  void SetSize(int points);
  // Set of fsBold, fsItalic, fsUnderline, fsStrikeOut (bits 0 to 3).
  uint32_t Style() const { return style_; }
  void SetStyle(uint32_t style);

  // Copies every field (explicit marks included).
  void Assign(const TFont& other);
  // Copies the fields this font has not set explicitly.
  void InheritFrom(const TFont& parent);
  bool HasExplicitFields() const { return explicit_ != 0; }
  void ForgetExplicitFields() { explicit_ = 0; }

  // The code set the face name is read in (the form's); the default character set then becomes
  // that code set's, so that the Chinese font is chosen whatever the system's code page.
  void SetNameCodePage(unsigned codePage);
  HFONT Handle() const;
  std::function<void()> OnChange;

 private:
  void Changed(unsigned field);
  int charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  int height_ = -11;
  std::string name_ = "MS Sans Serif";
  uint32_t style_ = 0;
  unsigned explicit_ = 0;
  unsigned nameCodePage_ = kBig5CodePage;  // until a control names its form's code set
  mutable FontHandle handle_;
};
