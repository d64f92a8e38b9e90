// The stored form reader on any bytes, with a fuzz class of every property kind and the
// program's own portable classes registered (the embedded file with plain or LZRW1-packed data,
// the message table): it either reads a form or raises EReadError (EZipSourceError for packed
// data that does not decode), never anything else, and a form it did read writes back to a
// stream that reads and writes again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "components/BinStream.h"
#include "components/Memos.h"
#include "components/ZipLzImp.h"
#include "framework/ClassRegistry.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/FormStream.h"
#include "framework/MemoryStream.h"
#include "framework/Strings.h"

namespace {
class TFuzzFont : public TPersistent {
  LINTORA_PUBLISHED(TFuzzFont)
 public:
  std::string name;
  int size = 8;
};

// One property of every kind, a byte block, and children parented like controls.
class TFuzzItem : public TComponent {
  LINTORA_PUBLISHED(TFuzzItem)
 public:
  explicit TFuzzItem(TComponent* owner) : TComponent(owner) {}
  std::string caption, onClick;
  int left = 0;
  bool visible = true;
  enum class TKind { kOne, kTwo, kThree } kind = TKind::kOne;
  uint32_t style = 0;
  char letter = 0;
  double ratio = 0;
  TStringList lines;
  TFuzzFont font;
  TMemoryStream data;
  TComponent* parent = nullptr;

  void SetParentComponent(TComponent* p) override { parent = p; }
  TComponent* GetParentComponent() const override { return parent; }
  void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override {
    for (int i = 0; i < root->ComponentCount(); ++i) {
      TComponent* c = root->Components(i);
      if (c->GetParentComponent() == this || (root == this && !c->GetParentComponent())) {
        children.push_back(c);
      }
    }
  }
};

const TClassInfo& TFuzzFont::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFuzzFont>("TFont")
                                     .String("Name", &TFuzzFont::name, &TFuzzFont::name)
                                     .Integer("Size", &TFuzzFont::size, &TFuzzFont::size)
                                     .Default(8);
  return info;
}

const TClassInfo& TFuzzItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFuzzItem>("TFuzzItem", TComponent::StaticClassInfo())
          .String("Caption", &TFuzzItem::caption, &TFuzzItem::caption)
          .Integer("Left", &TFuzzItem::left, &TFuzzItem::left)
          .Boolean("Visible", &TFuzzItem::visible, &TFuzzItem::visible)
          .Default(true)
          .Enum<TKind>("Kind", "TKind", {"kOne", "kTwo", "kThree"}, &TFuzzItem::kind,
                       &TFuzzItem::kind)
          .Default(0)
          .Set("Style", "TStyle", {"sA", "sB", "sC"}, &TFuzzItem::style, &TFuzzItem::style)
          .Default(0)
          .Char("Letter", &TFuzzItem::letter, &TFuzzItem::letter)
          .Default(0)
          .Float("Ratio", &TFuzzItem::ratio, &TFuzzItem::ratio)
          .Strings("Lines", "TStringList", &TFuzzItem::lines,
                   [](TFuzzItem& item, const TStrings& v) { item.lines.Assign(v); })
          .Object("Font", "TFont", &TFuzzItem::font)
          .Method("OnClick", "TNotifyEvent", &TFuzzItem::onClick, &TFuzzItem::onClick)
          .Binary(
              "Data", [](TFuzzItem& item, TMemoryStream& s) { item.data.CopyFrom(s); },
              [](TFuzzItem& item, TMemoryStream& s) { s.CopyFrom(item.data); },
              [](const TFuzzItem& item) { return item.data.Size() > 0; });
  return info;
}

std::unique_ptr<TComponent> Read(const std::vector<uint8_t>& bytes) {
  return std::unique_ptr<TComponent>(FormReader(bytes).ReadComponent(nullptr));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = [] {
    RegisterComponentClass<TFuzzItem>();
    RegisterBinStreamClass();
    RegisterMemosClass();
    return true;
  }();
  (void)registered;
  std::unique_ptr<TComponent> root;
  try {
    root = Read(std::vector<uint8_t>(data, data + size));
  } catch (const EReadError&) {
    return 0;
  } catch (const EZipSourceError&) {
    return 0;
  }
  const std::vector<uint8_t> written = FormWriter::WriteComponent(*root);
  const std::unique_ptr<TComponent> again = Read(written);
  if (FormWriter::WriteComponent(*again) != written) std::abort();
  return 0;
}
