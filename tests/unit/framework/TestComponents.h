#pragma once
// Small component classes for the framework tests: one of each property kind, a sub-object with
// its own properties, an extra stored byte block, and a container that takes children as its
// parent the way controls do.
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/MemoryStream.h"
#include "framework/Strings.h"

enum class TTestAlign { alNone, alTop, alBottom, alClient };

class TTestFont : public TPersistent {
  LINTORA_PUBLISHED(TTestFont)
 public:
  std::string name = "MS Sans Serif";
  int charset = 0;
  int height = -11;
};

class TTestItem : public TComponent {
  LINTORA_PUBLISHED(TTestItem)
 public:
  explicit TTestItem(TComponent* owner) : TComponent(owner) {}
  void Loaded() override;

  std::string caption;
  int left = 0;
  bool visible = true;
  TTestAlign align = TTestAlign::alNone;
  uint32_t anchors = 0b0011;  // akLeft, akTop
  char passwordChar = 0;
  double ratio = 0;
  TStringList lines;
  TTestFont font;
  std::string onClick;
  TMemoryStream data;
  std::vector<std::string> events;  // what happened, in order, for the tests to check
  TComponent* parent = nullptr;

  void SetCaption(const std::string& text);
  void SetParentComponent(TComponent* p) override { parent = p; }
  TComponent* GetParentComponent() const override { return parent; }
};

// Holds children like a panel: GetChildren lists the owner's components whose parent it is.
class TTestPanel : public TTestItem {
  LINTORA_PUBLISHED(TTestPanel)
 public:
  explicit TTestPanel(TComponent* owner) : TTestItem(owner) {}
  void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;
};

// The root of a test form: its children are the owned components without parent.
class TTestForm : public TTestItem {
  LINTORA_PUBLISHED(TTestForm)
 public:
  explicit TTestForm(TComponent* owner) : TTestItem(owner) {}
};

void RegisterTestClasses();
