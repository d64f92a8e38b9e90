#include <cstring>
#include <memory>

#include "framework/ClassRegistry.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/FormStream.h"
#include "framework/MemoryStream.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"

const char kFormSignature[4] = {'L', 'F', 'M', '1'};

namespace {
// Bounds-checked reading of the format's primitives.
class Cursor {
 public:
  Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool AtEnd() const { return position_ == size_; }
  uint8_t Byte() {
    Need(1);
    return data_[position_++];
  }
  uint32_t U32() {
    Need(4);
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(data_[position_++]) << (8 * i);
    return value;
  }
  uint64_t U64() {
    const uint64_t low = U32();
    return low | (static_cast<uint64_t>(U32()) << 32);
  }
  const uint8_t* Take(size_t count) {
    Need(count);
    const uint8_t* at = data_ + position_;
    position_ += count;
    return at;
  }
  std::string Text(size_t count) {
    const uint8_t* at = Take(count);
    return std::string(reinterpret_cast<const char*>(at), count);
  }
  std::string Name() { return Text(Byte()); }
  std::string LongText() { return Text(U32()); }
  // A count of items each at least minSize bytes long must fit in what is left.
  uint32_t Count(size_t minSize) {
    const uint32_t count = U32();
    if (count > (size_ - position_) / minSize) Truncated();
    return count;
  }

 private:
  void Need(size_t count) const {
    if (count > size_ - position_) Truncated();
  }
  [[noreturn]] static void Truncated() { throw EReadError("Form stream is truncated"); }

  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

struct Value {
  TValueType type = vaNull;
  int32_t integer = 0;
  double real = 0;
  std::string text;                // vaString, vaIdent
  std::vector<std::string> items;  // vaList, vaSet
  const uint8_t* block = nullptr;  // vaBinary, inside the stream
  size_t blockSize = 0;
};

Value ReadValue(Cursor& in) {
  Value value;
  value.type = static_cast<TValueType>(in.Byte());
  switch (value.type) {
    case vaInt:
      value.integer = static_cast<int32_t>(in.U32());
      break;
    case vaFloat: {
      const uint64_t bits = in.U64();
      std::memcpy(&value.real, &bits, sizeof bits);
      break;
    }
    case vaString:
      value.text = in.LongText();
      break;
    case vaIdent:
      value.text = in.Name();
      break;
    case vaFalse:
    case vaTrue:
      break;
    case vaList:
      for (uint32_t n = in.Count(4); n > 0; --n) value.items.push_back(in.LongText());
      break;
    case vaSet:
      for (uint32_t n = in.Count(1); n > 0; --n) value.items.push_back(in.Name());
      break;
    case vaBinary:
      value.blockSize = in.U32();
      value.block = in.Take(value.blockSize);
      break;
    default:
      throw EReadError("Invalid value type " + std::to_string(value.type) + " in form stream");
  }
  return value;
}

[[noreturn]] void InvalidValue() {
  throw EReadError("Invalid property value");
}

void SetOrdinal(TPersistent& object, const TPropInfo& prop, const Value& value) {
  const bool isBoolean = prop.Kind == tkEnumeration && prop.TypeName == "Boolean";
  if (prop.Kind == tkInteger && value.type == vaInt) {
    prop.SetOrd(object, value.integer);
  } else if (prop.Kind == tkChar && value.type == vaString && value.text.size() == 1) {
    prop.SetOrd(object, static_cast<unsigned char>(value.text[0]));
  } else if (prop.Kind == tkChar && value.type == vaInt && value.integer >= 0 &&
             value.integer <= 255) {
    prop.SetOrd(object, value.integer);
  } else if (prop.Kind == tkEnumeration && value.type == vaIdent) {
    SetEnumProp(object, prop, value.text);
  } else if (isBoolean && (value.type == vaFalse || value.type == vaTrue)) {
    prop.SetOrd(object, value.type == vaTrue ? 1 : 0);
  } else if (prop.Kind == tkSet && value.type == vaSet) {
    int64_t mask = 0;
    for (const std::string& identifier : value.items) {
      const int64_t ordinal = GetEnumValue(prop, identifier);
      if (ordinal < 0 || ordinal >= 32) {
        throw EReadError(FormatErrorText(SInvalidPropertyElement, identifier));
      }
      mask |= int64_t{1} << ordinal;
    }
    prop.SetOrd(object, mask);
  } else {
    InvalidValue();
  }
}

void SetStringsProperty(TPersistent& object, const TPropInfo& prop, const Value& value) {
  if (value.type != vaList) InvalidValue();
  TStringList lines;
  for (const std::string& line : value.items) lines.Add(line);
  if (prop.SetStrings) {
    prop.SetStrings(object, lines);
    return;
  }
  TStrings* target = dynamic_cast<TStrings*>(prop.GetSubObject(object));
  if (!target) InvalidValue();
  target->Assign(lines);
}

void SetProperty(TPersistent& object, const TPropInfo& prop, const Value& value) {
  if (prop.IsOrdinal()) {
    SetOrdinal(object, prop, value);
  } else if (prop.Kind == tkFloat && (value.type == vaFloat || value.type == vaInt)) {
    prop.SetFloat(object, value.type == vaFloat ? value.real : value.integer);
  } else if (prop.Kind == tkMethod && value.type == vaIdent) {
    prop.SetStr(object, value.text);
  } else if (prop.IsText() && prop.Kind != tkMethod && value.type == vaString) {
    prop.SetStr(object, value.text);
  } else if (prop.Kind == tkClass) {
    SetStringsProperty(object, prop, value);
  } else {
    InvalidValue();
  }
}

[[noreturn]] void NoSuchProperty(const std::string& name) {
  throw EReadError("Property " + name + " does not exist");
}

// "Font.Charset": every part but the last names a sub-object property.
TPersistent& SubObjectFor(TPersistent& object, const std::string& path, std::string& last) {
  TPersistent* target = &object;
  size_t start = 0;
  for (size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
    const std::string part = path.substr(start, dot - start);
    const TPropInfo* prop = GetPropInfo(*target, part);
    if (!prop || prop->Kind != tkClass) NoSuchProperty(path);
    target = prop->GetSubObject(*target);
    if (!target) NoSuchProperty(path);
  }
  last = path.substr(start);
  return *target;
}

// A byte block is handed over in a stream of its own: lent where it lies when the form's bytes
// are permanent, a copy otherwise.
TMemoryStream BlockStream(const Value& value, TFormBytes lifetime) {
  if (lifetime == TFormBytes::Permanent) {
    return TMemoryStream::Borrowing(value.block, value.blockSize);
  }
  TMemoryStream block;
  block.Write(value.block, value.blockSize);
  block.Seek(0);
  return block;
}

void ApplyValue(TPersistent& object, const std::string& path, const Value& value,
                TFormBytes lifetime) {
  std::string name;
  TPersistent& target = SubObjectFor(object, path, name);
  if (value.type == vaBinary) {
    const TClassInfo* info = target.ClassInfo();
    const TBinaryPropInfo* prop = info ? info->FindBinaryProperty(name) : nullptr;
    if (!prop) NoSuchProperty(path);
    TMemoryStream block = BlockStream(value, lifetime);
    prop->Read(target, block);
    return;
  }
  const TPropInfo* prop = GetPropInfo(target, name);
  if (!prop) NoSuchProperty(path);
  SetProperty(target, *prop, value);
}

class ReadSession {
 public:
  ReadSession(const uint8_t* data, size_t size, TFormBytes lifetime)
      : in_(data, size), lifetime_(lifetime) {
    if (size < sizeof kFormSignature || std::memcmp(data, kFormSignature, 4) != 0) {
      throw EReadError("Invalid form stream signature");
    }
    in_.Take(sizeof kFormSignature);
  }

  // The root's header; the caller makes or checks the root.
  std::string ReadRootClassName() {
    const std::string className = in_.Name();
    if (className.empty()) throw EReadError("Form stream holds no object");
    return className;
  }

  void ReadRootBody(TComponent& root) {
    root_ = &root;
    NameComponent(root, in_.Name());
    ReadObject(root, 0);
    if (!in_.AtEnd()) throw EReadError("Form stream has data after its end");
    for (TComponent* component : loaded_) {
      component->Loaded();
      component->ExcludeState(csLoading);  // also when an override forgets the inherited step
    }
  }

  // After a failure: the components this read made go away, the root leaves its states.
  void Undo() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
    if (root_) {
      root_->ExcludeState(csReading);
      root_->ExcludeState(csLoading);
    }
  }

 private:
  void NameComponent(TComponent& component, const std::string& name) {
    try {
      component.SetName(name);
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      throw EReadError(e.Message());
    }
  }

  void ReadObject(TComponent& component, int depth) {
    if (depth > kMaxFormDepth) throw EReadError("Form stream nests too deep");
    component.IncludeState(csLoading);
    component.IncludeState(csReading);
    loaded_.push_back(&component);
    for (std::string name = in_.Name(); !name.empty(); name = in_.Name()) {
      const Value value = ReadValue(in_);
      try {
        ApplyValue(component, name, value, lifetime_);
      } catch (const Exception& e) {
        // A setter's own refusal (a "Name" that another component already has) is as much a
        // form that cannot be read as a bad value.
        throw EReadError("Error reading " + component.Name() + "." + name + ": " + e.Message());
      }
    }
    for (std::string className = in_.Name(); !className.empty(); className = in_.Name()) {
      ReadChild(component, className, depth);
    }
    component.ExcludeState(csReading);
  }

  void ReadChild(TComponent& parent, const std::string& className, int depth) {
    TComponent* child = CreateComponentOfClass(className, root_);
    created_.push_back(child);
    NameComponent(*child, in_.Name());
    child->SetParentComponent(&parent);
    ReadObject(*child, depth + 1);
  }

  Cursor in_;
  TFormBytes lifetime_;
  TComponent* root_ = nullptr;
  std::vector<TComponent*> created_;
  std::vector<TComponent*> loaded_;
};
}  // namespace

void FormReader::ReadRootComponent(TComponent& root) {
  ReadSession session(data_, size_, lifetime_);
  try {
    const std::string className = session.ReadRootClassName();
    if (!SameText(className, root.ClassName())) {
      throw EReadError("Form stream holds a " + className + ", not a " + root.ClassName());
    }
    session.ReadRootBody(root);
  } catch (...) {
    session.Undo();
    throw;
  }
}

TComponent* FormReader::ReadComponent(TComponent* owner) {
  ReadSession session(data_, size_, lifetime_);
  std::unique_ptr<TComponent> root(CreateComponentOfClass(session.ReadRootClassName(), owner));
  try {
    session.ReadRootBody(*root);
  } catch (...) {
    session.Undo();
    throw;
  }
  return root.release();
}
