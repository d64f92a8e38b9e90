#include "TestComponents.h"

#include "framework/ClassRegistry.h"

const TClassInfo& TTestFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestFont>("TFont")
          .String("Name", &TTestFont::name, &TTestFont::name)
          .TypeName("TFontName")
          .Stored([](const TTestFont& f) { return f.name != "MS Sans Serif"; })
          .Integer("Charset", &TTestFont::charset, &TTestFont::charset)
          .TypeName("TFontCharset")
          .Default(0)
          .Integer("Height", &TTestFont::height, &TTestFont::height)
          .Default(-11);
  return info;
}

const TClassInfo& TTestItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestItem>("TTestItem", TComponent::StaticClassInfo())
          .String("Caption", &TTestItem::caption, &TTestItem::SetCaption)
          .TypeName("TCaption")
          .Integer("Left", &TTestItem::left, &TTestItem::left)
          .Boolean("Visible", &TTestItem::visible, &TTestItem::visible)
          .Default(true)
          .Enum<TTestAlign>("Align", "TAlign", {"alNone", "alTop", "alBottom", "alClient"},
                            &TTestItem::align, &TTestItem::align)
          .Default(0)
          .Set("Anchors", "TAnchors", {"akLeft", "akTop", "akRight", "akBottom"},
               &TTestItem::anchors, &TTestItem::anchors)
          .Default(0b0011)
          .Char("PasswordChar", &TTestItem::passwordChar, &TTestItem::passwordChar)
          .Default(0)
          .Float("Ratio", &TTestItem::ratio, &TTestItem::ratio)
          .Strings("Lines", "TStringList", &TTestItem::lines,
                   [](TTestItem& item, const TStrings& v) { item.lines.Assign(v); })
          .Object("Font", "TFont", &TTestItem::font)
          .Method("OnClick", "TNotifyEvent", &TTestItem::onClick, &TTestItem::onClick)
          .Binary(
              "Data",
              [](TTestItem& item, TMemoryStream& s) {
                item.events.push_back("Data");
                item.data.CopyFrom(s);
              },
              [](TTestItem& item, TMemoryStream& s) { s.CopyFrom(item.data); },
              [](const TTestItem& item) { return item.data.Size() > 0; });
  return info;
}

void TTestItem::SetCaption(const std::string& text) {
  events.push_back(IsReading() ? "Caption while reading" : "Caption");
  caption = text;
}

void TTestItem::Loaded() {
  TComponent::Loaded();
  events.push_back("Loaded");
}

const TClassInfo& TTestPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestPanel>("TTestPanel", TTestItem::StaticClassInfo());
  return info;
}

void TTestPanel::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
  for (int i = 0; i < root->ComponentCount(); ++i) {
    if (root->Components(i)->GetParentComponent() == this) children.push_back(root->Components(i));
  }
}

const TClassInfo& TTestForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestForm>("TTestForm", TTestItem::StaticClassInfo());
  return info;
}

void RegisterTestClasses() {
  RegisterComponentClass<TTestItem>();
  RegisterComponentClass<TTestPanel>();
  RegisterComponentClass<TTestForm>();
}
