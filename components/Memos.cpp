#include "components/Memos.h"

#include "framework/ClassRegistry.h"

const TClassInfo& TMemos::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TMemos>("TMemos", TComponent::StaticClassInfo())
          .Strings("Lines", "TStringList", &TMemos::Lines, &TMemos::SetLines);
  return info;
}

TMemos::TMemos(TComponent* owner) : TComponent(owner), FLines(std::make_unique<TStringList>()) {}

TMemos::~TMemos() = default;

void TMemos::SetLines(const TStrings& lines) {
  if (&lines == FLines.get()) return;
  FLines->Assign(lines);
}

std::string TMemos::Lookup(const std::string& name) const {
  const TStringCompare compare = StringListCompare();
  for (const std::string& line : FLines->Lines()) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (compare(line.substr(0, equals), name) == 0) return line.substr(equals + 1);
  }
  return "";
}

void RegisterMemosClass() {
  RegisterComponentClass<TMemos>();
}
