#include "i18n/GBBIGTRS.h"

#include <new>

#include "framework/ClassRegistry.h"

const char* const kBreakMarker = "========== Break by Converter ==========";

namespace {

std::unique_ptr<TGBtransfer> sharedConverter;

}  // namespace

const TClassInfo& TGBtransfer::StaticClassInfo() {
  // The locale properties describe the machine at run time; the form never stores them.
  const auto never = [](const TGBtransfer&) { return false; };
  static const TClassInfo info =
      TClassBuilder<TGBtransfer>("TGBtransfer", TComponent::StaticClassInfo())
          .Enum<TConvertDirect>("Direct", "TConvertDirect", {"GBtoBIG", "BIGtoGB"},
                                &TGBtransfer::Direct, &TGBtransfer::SetDirect)
          .Default(GBtoBIG)
          .Integer("Icountry", &TGBtransfer::Icountry, &TGBtransfer::SetIcountry)
          .Stored(never)
          .String("Scountry", &TGBtransfer::Scountry, &TGBtransfer::SetScountry)
          .Stored(never)
          .Integer("DefaultLangID", &TGBtransfer::DefaultLangID, &TGBtransfer::SetDefaultLangID)
          .Stored(never);
  return info;
}

TGBtransfer::TGBtransfer(TComponent* owner) : TComponent(owner) {
  try {
    FResultLines = std::make_unique<TStringList>();
    FSourceLines = std::make_unique<TStringList>();
  } catch (const std::bad_alloc&) {
    FResultLines.reset();
    FSourceLines.reset();
    FReady = false;
    FStatus |= kStatusNoLists;
  }
  LoadTables();
}

TGBtransfer::~TGBtransfer() = default;

void TGBtransfer::LoadTables() {
  ConverterPlatform& platform = CurrentConverterPlatform();
  FGbToBigResource = platform.LoadTable("GBTRSBIG");
  if (FGbToBigResource) FGbToBigTable = FGbToBigResource->Table();
  FBigToGbResource = platform.LoadTable("BIGTRSGB");
  if (FBigToGbResource) FBigToGbTable = FBigToGbResource->Table();
  if (!FGbToBigResource || !FBigToGbResource) FStatus |= kStatusNotReady;
}

const ConversionTable& TGBtransfer::TableOf(TConvertDirect direct) const {
  return direct == GBtoBIG ? FGbToBigTable : FBigToGbTable;
}

std::string TGBtransfer::Convert(const std::string& text) {
  std::string result = text;
  const int failures = ConvertPairs(result, FDirect, TableOf(FDirect));
  if (failures > 0) {
    FErrorCount += failures;
    FStatus |= kStatusPairFailure;
  }
  return result;
}

std::string TGBtransfer::ConvertText(const std::string& text) {
  if (text.empty()) return text;
  return Convert(text);
}

void TGBtransfer::SetSource(const TStrings* lines) {
  if (!FSourceLines) return;
  FSourceLines->Clear();
  if (lines) FSourceLines->AddStrings(*lines);
}

uint16_t TGBtransfer::ConvertLines() {
  FStatus = 0;
  if (!FReady) FStatus |= kStatusNotReady;
  if (!FSourceLines || FSourceLines->Count() == 0) FStatus |= kStatusNoSourceLines;
  if (FStatus != 0) return FStatus;

  FResultLines->Clear();
  FErrorCount = 0;
  const int count = FSourceLines->Count();
  for (int i = 0; i < count; ++i) {
    std::string converted = Convert(FSourceLines->Get(i));
    try {
      FResultLines->Add(converted);
    } catch (const std::bad_alloc&) {
      // The marker belongs at the index of the last source line; a shorter result list gets it
      // as its next line.
      const int markerIndex = count - 1;
      if (markerIndex < FResultLines->Count()) {
        FResultLines->Put(markerIndex, kBreakMarker);
      } else {
        FResultLines->Add(kBreakMarker);
      }
      FStatus |= kStatusBrokeOff;
      break;
    }
  }
  const uint16_t result = FStatus;
  FStatus = 0;
  return result;
}

void TGBtransfer::ConvertStrings(TStrings& lines) {
  if (lines.Count() == 0) return;
  SetSource(&lines);
  ConvertLines();
  if (FResultLines) lines.Assign(*FResultLines);
}

void TGBtransfer::Release() {
  FReady = false;
  FResultLines.reset();
  FSourceLines.reset();
  FGbToBigTable = {};
  FBigToGbTable = {};
  FGbToBigResource.reset();
  FBigToGbResource.reset();
}

int TGBtransfer::Icountry() const {
  return CurrentConverterPlatform().IntlInteger("iCountry", 0);
}

std::string TGBtransfer::Scountry() const {
  return CurrentConverterPlatform().IntlString("sCountry", "");
}

int TGBtransfer::DefaultLangID() const {
  return CurrentConverterPlatform().UserDefaultLangID();
}

TGBtransfer* SharedConverter() {
  return sharedConverter.get();
}

void CreateSharedConverter() {
  if (sharedConverter) return;
  sharedConverter = std::make_unique<TGBtransfer>(nullptr);
  sharedConverter->SetDirect(BIGtoGB);
}

void ReleaseSharedConverter() {
  if (!sharedConverter) return;
  sharedConverter->Release();
  sharedConverter.reset();
}

int GetChineseSystemKind() {
  int kind = 0;
  if (CurrentConverterPlatform().UserDefaultLangID() == kLangChinesePrc) kind = 1;
  if (CurrentConverterPlatform().UserDefaultLangID() == kLangChineseKind2) kind = 2;
  return kind;
}

std::string BigToGbText(const std::string& text) {
  CreateSharedConverter();
  sharedConverter->SetDirect(BIGtoGB);
  return sharedConverter->ConvertText(text);
}

void RegisterGBtransferClass() {
  RegisterComponentClass<TGBtransfer>();
}
