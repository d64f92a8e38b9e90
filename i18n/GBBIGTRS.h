#pragma once
// TGBtransfer: converts 8-bit text between GB2312 and Big5, character by character, through the
// two code conversion tables. The direction is the published property Direct. The conversion
// changes the form of each character (資料庫 becomes 资料库), never words or phrases.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Strings.h"
#include "i18n/CodeConversion.h"
#include "i18n/ConverterPlatform.h"

// FStatus bits.
constexpr uint16_t kStatusNoSourceLines = 0x0001;  // ConvertLines: nothing to convert
constexpr uint16_t kStatusPairFailure = 0x0004;    // a pair lay outside its table
constexpr uint16_t kStatusBrokeOff = 0x0008;       // ConvertLines: appending a line failed
constexpr uint16_t kStatusNoLists = 0x0010;        // constructor: the two lists were not created
constexpr uint16_t kStatusNotReady = 0x0080;       // tables not loaded / converter not ready

// The line ConvertLines leaves where it broke off.
extern const char* const kBreakMarker;  // "========== Break by Converter =========="

class TGBtransfer : public TComponent {
  LINTORA_PUBLISHED(TGBtransfer)
 public:
  // Loads both tables through the converter platform (ConverterPlatform.h).
  explicit TGBtransfer(TComponent* owner);
  ~TGBtransfer() override;

  // The converted copy of text in the direction Direct. Pair failures add to FErrorCount and set
  // kStatusPairFailure; nothing is reset.
  std::string ConvertText(const std::string& text);
  // Empties the source lines, then appends every line of `lines` (when given).
  void SetSource(const TStrings* lines);
  // Converts the source lines into the result lines and returns the status of the run (FStatus is
  // 0 afterwards). When the converter is not ready or there is no source line, the status stays in
  // FStatus and the result lines are not touched.
  uint16_t ConvertLines();
  // Converts the lines of the list in place; a list with no line is left alone.
  void ConvertStrings(TStrings& lines);
  // Converts the texts of a form in place (FormConversion.cpp): the form first takes the code set
  // of the direction (SetFormCodePage), then its caption and each component it owns are
  // converted, in the form's order, by the rows of the walk that its class is or derives from.
  void ConvertForm(TComponent& form);
  // Converts the captions of a menu's items, each item's sub-items (to any depth) before the item
  // itself; the menu's invisible root item is left alone.
  void ConvertMenu(TComponent& menu);
  // Frees the lists and the tables; the converter is not used afterwards.
  void Release();

  TConvertDirect Direct() const { return FDirect; }
  void SetDirect(TConvertDirect direct) { FDirect = direct; }
  // The machine's locale as WIN.INI's "intl" section and the user's language tell it. The setters
  // keep the value without any effect.
  int Icountry() const;
  void SetIcountry(int value) { FIcountry = value; }
  std::string Scountry() const;
  void SetScountry(const std::string& value) { FScountry = value; }
  int DefaultLangID() const;
  void SetDefaultLangID(int value) { FDefaultLangID = value; }

  bool Ready() const { return FReady; }
  uint16_t Status() const { return FStatus; }
  int ErrorCount() const { return FErrorCount; }
  const TStrings* ResultLines() const { return FResultLines.get(); }
  const TStrings* SourceLines() const { return FSourceLines.get(); }

 private:
  void ConvertComponent(TComponent& component);
  void ConvertMenuItem(TComponent& item);
  void ConvertTextProp(TPersistent& object, const char* property);
  const ConversionTable& TableOf(TConvertDirect direct) const;
  // Converts one text as ConvertText does, counting its failures.
  std::string Convert(const std::string& text);
  void LoadTables();

  std::unique_ptr<TStringList> FResultLines;
  std::unique_ptr<TStringList> FSourceLines;
  bool FReady = true;
  TConvertDirect FDirect = GBtoBIG;
  uint16_t FStatus = 0;
  std::unique_ptr<TableResource> FGbToBigResource;
  std::unique_ptr<TableResource> FBigToGbResource;
  ConversionTable FGbToBigTable;
  ConversionTable FBigToGbTable;
  int32_t FErrorCount = 0;
  int32_t FIcountry = 0;
  int32_t FDefaultLangID = 0;
  std::string FScountry;
};

// The process-wide Big5 -> GB2312 converter: made at program start, released at its end.
TGBtransfer* SharedConverter();  // nullptr when there is none
void CreateSharedConverter();    // only when there is none; Direct becomes BIGtoGB
void ReleaseSharedConverter();   // Release, free and forget

// 1 on a Simplified-Chinese (PRC, 0x0804) system, 2 when the language is 0x0FD4, otherwise 0.
int GetChineseSystemKind();

// text converted from Big5 to GB2312 with the shared converter (made when missing).
std::string BigToGbText(const std::string& text);

// On a Simplified-Chinese system (GetChineseSystemKind 1 or 2) converts the whole form from Big5
// to GB2312 with a converter of its own; elsewhere does nothing.
void ConvertFormToGB(TComponent& form);

// Tells a form (through its published "CodePage") which code set its texts are in from now on;
// a component without it is left alone.
void SetFormCodePage(TComponent& form, unsigned codePage);

// Lets stored forms name TGBtransfer.
void RegisterGBtransferClass();
