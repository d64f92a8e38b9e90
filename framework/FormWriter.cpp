#include "framework/Component.h"
#include "framework/FormEncoder.h"
#include "framework/FormStream.h"
#include "framework/MemoryStream.h"
#include "framework/Strings.h"

namespace {
class WriteSession {
 public:
  explicit WriteSession(TComponent& root) : root_(root) {}

  void WriteObject(TComponent& component) {
    out_.Name(component.ClassName());
    out_.Name(component.Name());
    WriteProperties(component, "");
    out_.End();
    std::vector<TComponent*> children;
    component.GetChildren(children, &root_);
    for (TComponent* child : children) WriteObject(*child);
    out_.End();
  }

  std::vector<uint8_t> Bytes() const { return out_.Bytes(); }

 private:
  // Published properties that are stored, then the byte blocks; a sub-object's properties are
  // written with its property name and a dot in front ("Font.Charset").
  void WriteProperties(TPersistent& object, const std::string& prefix) {
    for (const TPropInfo* prop : GetPropList(object)) {
      if (IsStoredProp(object, *prop)) WriteProperty(object, *prop, prefix + prop->Name);
    }
    const TClassInfo* info = object.ClassInfo();
    if (!info) return;
    for (const TBinaryPropInfo* prop : info->BinaryProperties()) {
      if (!prop->HasData(object)) continue;
      TMemoryStream block;
      prop->Write(object, block);
      out_.Name(prefix + prop->Name);
      out_.Binary(block.Memory(), block.Size());
    }
  }

  void WriteProperty(TPersistent& object, const TPropInfo& prop, const std::string& name) {
    if (prop.Kind == tkClass) {
      WriteObjectProperty(object, prop, name);
      return;
    }
    out_.Name(name);
    switch (prop.Kind) {
      case tkInteger:
        out_.Int(static_cast<int32_t>(prop.GetOrd(object)));
        break;
      case tkChar:
        out_.String(std::string(1, static_cast<char>(prop.GetOrd(object))));
        break;
      case tkEnumeration:
        WriteEnumeration(prop, prop.GetOrd(object));
        break;
      case tkSet:
        WriteSet(prop, prop.GetOrd(object));
        break;
      case tkFloat:
        out_.Float(prop.GetFloat(object));
        break;
      case tkMethod:
        out_.Ident(prop.GetStr(object));
        break;
      default:
        out_.String(prop.GetStr(object));
        break;
    }
  }

  void WriteEnumeration(const TPropInfo& prop, int64_t ordinal) {
    if (prop.TypeName == "Boolean") {
      out_.Boolean(ordinal != 0);
    } else {
      out_.Ident(GetEnumName(prop, ordinal));
    }
  }

  void WriteSet(const TPropInfo& prop, int64_t mask) {
    std::vector<std::string> members;
    for (size_t i = 0; i < prop.EnumNames.size() && i < 32; ++i) {
      if (mask & (int64_t{1} << i)) members.push_back(prop.EnumNames[i]);
    }
    out_.Set(members);
  }

  void WriteObjectProperty(TPersistent& object, const TPropInfo& prop, const std::string& name) {
    TPersistent* sub = prop.GetSubObject(object);
    if (!sub) return;
    if (const TStrings* lines = dynamic_cast<const TStrings*>(sub)) {
      out_.Name(name);
      out_.List(lines->Lines());
    } else {
      WriteProperties(*sub, name + ".");
    }
  }

  TComponent& root_;
  FormEncoder out_;
};
}  // namespace

std::vector<uint8_t> FormWriter::WriteComponent(TComponent& root) {
  WriteSession session(root);
  session.WriteObject(root);
  return session.Bytes();
}
