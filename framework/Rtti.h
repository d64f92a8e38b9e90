#pragma once
// Published properties: for every class that can be stored in a form description or changed by
// name (language files), the list of its properties with their kinds, type names, defaults and
// accessors. Properties of a class come after those of its ancestors, each class's in the order
// it declares them; that is the order the form writer stores them in. Names compare without
// regard to ASCII letter case.
//
// Declaring a class's properties, for a component of one's own:
//
//   // Counter.h
//   class TCounter : public TComponent {
//     LINTORA_PUBLISHED(TCounter)
//    public:
//     explicit TCounter(TComponent* owner);
//     const std::string& Caption() const;
//     void SetCaption(const std::string& caption);
//     TNotifyEvent OnChange;
//     ...
//   };
//
//   // Counter.cpp
//   const TClassInfo& TCounter::StaticClassInfo() {
//     static const TClassInfo info =
//         TClassBuilder<TCounter>("TCounter", TComponent::StaticClassInfo())
//             .String("Caption", &TCounter::Caption, &TCounter::SetCaption)
//             .Integer("Count", &TCounter::count_, &TCounter::count_)  // a member works too
//             .Boolean("Enabled", &TCounter::Enabled, &TCounter::SetEnabled).Default(true)
//             .Event("OnChange", &TCounter::OnChange)
//             .Binary("Data", &TCounter::ReadData, &TCounter::WriteData,
//                     [](const TCounter& c) { return c.data_.Size() > 0; });
//     return info;
//   }
//
// Every class that is stored in a form or registered declares LINTORA_PUBLISHED, even with no
// properties of its own (`TClassBuilder<T>("TName", Parent::StaticClassInfo())`): the table's
// name is the class name that forms store and ClassName reports.
//
// Getters are member functions, data members or callables taking `const T&`; setters are member
// functions, data members or callables taking `T&` and the value. Ordinal properties (integer,
// Boolean, enumeration, char, set) have no default unless `.Default(v)` is given, and are then
// always stored; strings are stored when not empty, floats when not 0, string lists when they
// hold lines, method properties when they name a handler. `.Stored(predicate)` decides it instead.
// `.TypeName("TCaption")` names the type where it differs from the kind's usual one.
//
// Method properties (events) hold the name of their handler, as the form description does; the
// class that owns the handlers binds the names to them (framework/Events.h).
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/Events.h"
#include "framework/Persistent.h"

class TMemoryStream;
class TStrings;

enum TTypeKind {
  tkInteger,
  tkChar,
  tkEnumeration,  // Boolean is one, with the identifiers False and True
  tkFloat,
  tkString,  // short string
  tkSet,
  tkClass,
  tkMethod,
  tkLString,  // long string
  tkWString,
};

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkInteger;
  std::string TypeName;
  std::vector<std::string> EnumNames;  // tkEnumeration and tkSet: identifier of each ordinal
  bool HasDefault = false;             // ordinal kinds: Default is omitted from the stored form
  int64_t Default = 0;
  std::function<bool(const TPersistent&)> IsStored;  // when set, decides over the default rule

  // Accessors by kind: ordinal kinds (integer, char, enumeration, set as a bit mask over the
  // identifiers' ordinals), float, texts (strings and the handler name of a method property),
  // and class properties (the sub-object, e.g. a string list or a font; SetStrings copies lines).
  std::function<int64_t(const TPersistent&)> GetOrd;
  std::function<void(TPersistent&, int64_t)> SetOrd;
  std::function<double(const TPersistent&)> GetFloat;
  std::function<void(TPersistent&, double)> SetFloat;
  std::function<std::string(const TPersistent&)> GetStr;
  std::function<void(TPersistent&, const std::string&)> SetStr;
  std::function<TPersistent*(TPersistent&)> GetSubObject;
  std::function<void(TPersistent&, const TStrings&)> SetStrings;
  // Event properties declared with Event: the event itself, for binding its handler.
  std::function<TNotifyEvent*(TPersistent&)> GetEvent;

  bool IsOrdinal() const;
  bool IsText() const;  // tkString, tkLString, tkWString, tkMethod
};

// An extra stored property holding raw bytes (like a component's embedded file "Data"), written
// after the published properties. Read gets a stream of the reader's own holding exactly the
// stored bytes, at position 0, and may take them (TMemoryStream::Swap) instead of copying; Write
// appends the bytes to the given empty stream; HasData says whether to store.
struct TBinaryPropInfo {
  std::string Name;
  std::function<void(TPersistent&, TMemoryStream&)> Read;
  std::function<void(TPersistent&, TMemoryStream&)> Write;
  std::function<bool(const TPersistent&)> HasData;
};

class TClassInfo {
 public:
  TClassInfo(std::string name, const TClassInfo* parent)
      : name_(std::move(name)), parent_(parent) {}

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const std::string& className) const;  // is or derives from; ASCII case ignored

  // Inherited properties first, then this class's own, in declaration order.
  std::vector<const TPropInfo*> Properties() const;
  std::vector<const TBinaryPropInfo*> BinaryProperties() const;
  const TPropInfo* FindProperty(const std::string& name) const;
  const TBinaryPropInfo* FindBinaryProperty(const std::string& name) const;

  std::vector<TPropInfo>& OwnProperties() { return properties_; }
  std::vector<TBinaryPropInfo>& OwnBinaryProperties() { return binaryProperties_; }

 private:
  std::string name_;
  const TClassInfo* parent_;
  std::vector<TPropInfo> properties_;
  std::vector<TBinaryPropInfo> binaryProperties_;
};

// In a class body: declares the class's property table and hooks it into TPersistent.
#define LINTORA_PUBLISHED(Class)                 \
 public:                                         \
  static const TClassInfo& StaticClassInfo();    \
  const TClassInfo* ClassInfo() const override { \
    return &StaticClassInfo();                   \
  }

// Lookups on an object (nullptr / empty when it publishes nothing of that name).
const TPropInfo* GetPropInfo(const TPersistent& object, const std::string& name);
std::vector<const TPropInfo*> GetPropList(const TPersistent& object);
bool IsStoredProp(const TPersistent& object, const TPropInfo& prop);  // would the writer store it

// Enumeration identifiers: the identifier of an ordinal (empty when out of range) and the ordinal
// of an identifier (ASCII case ignored; -1 when the type has none of that name).
std::string GetEnumName(const TPropInfo& prop, int64_t ordinal);
int64_t GetEnumValue(const TPropInfo& prop, const std::string& identifier);
// Sets the enumeration property to the named identifier; raises EReadError
// "Invalid property element: %s" when the type has no such identifier.
void SetEnumProp(TPersistent& object, const TPropInfo& prop, const std::string& identifier);

// Builds a class's property table; see the example at the top.
template <typename T>
class TClassBuilder {
 public:
  TClassBuilder(const char* name, const TClassInfo& parent) : info_(name, &parent) {}
  explicit TClassBuilder(const char* name) : info_(name, nullptr) {}
  operator TClassInfo() const { return info_; }

  template <typename G, typename S>
  TClassBuilder& Integer(const char* name, G get, S set) {
    return Ordinal<int>(name, tkInteger, "Integer", {}, get, set);
  }
  template <typename G, typename S>
  TClassBuilder& Boolean(const char* name, G get, S set) {
    return Ordinal<bool>(name, tkEnumeration, "Boolean", {"False", "True"}, get, set);
  }
  template <typename G, typename S>
  TClassBuilder& Char(const char* name, G get, S set) {
    return Ordinal<char>(name, tkChar, "Char", {}, get, set);
  }
  // E is the C++ enumeration (or integer) type whose values are the identifiers' ordinals.
  template <typename E, typename G, typename S>
  TClassBuilder& Enum(const char* name, const char* typeName,
                      std::initializer_list<const char*> identifiers, G get, S set) {
    return Ordinal<E>(name, tkEnumeration, typeName, identifiers, get, set);
  }
  // A set over the identifiers: bit n stands for identifier n.
  template <typename G, typename S>
  TClassBuilder& Set(const char* name, const char* typeName,
                     std::initializer_list<const char*> identifiers, G get, S set) {
    return Ordinal<uint32_t>(name, tkSet, typeName, identifiers, get, set);
  }
  template <typename G, typename S>
  TClassBuilder& Float(const char* name, G get, S set) {
    TPropInfo& prop = Add(name, tkFloat, "Double");
    prop.GetFloat = [get](const TPersistent& o) { return static_cast<double>(Read(get, o)); };
    prop.SetFloat = [set](TPersistent& o, double v) { Write(set, o, v); };
    return *this;
  }
  template <typename G, typename S>
  TClassBuilder& String(const char* name, G get, S set, TTypeKind kind = tkLString) {
    TPropInfo& prop = Add(name, kind, kind == tkWString ? "WideString" : "string");
    prop.GetStr = [get](const TPersistent& o) { return std::string(Read(get, o)); };
    prop.SetStr = [set](TPersistent& o, const std::string& v) { Write(set, o, v); };
    return *this;
  }
  // A property naming a handler: the text is the handler's name.
  template <typename G, typename S>
  TClassBuilder& Method(const char* name, const char* typeName, G get, S set) {
    String(name, get, set);
    Last().Kind = tkMethod;
    Last().TypeName = typeName;
    return *this;
  }
  // An event member of the object (`.Event("OnClick", &TControl::OnClick)`): stored as its
  // handler's name, and reachable for binding the handler.
  TClassBuilder& Event(const char* name, TNotifyEvent T::*event) {
    Method(
        name, "TNotifyEvent", [event](const T& o) { return (o.*event).Name(); },
        [event](T& o, const std::string& handler) { (o.*event).SetName(handler); });
    Last().GetEvent = [event](TPersistent& o) { return &(static_cast<T&>(o).*event); };
    return *this;
  }
  // A string list owned by the object: get gives the list, set copies lines into it.
  template <typename G, typename S>
  TClassBuilder& Strings(const char* name, const char* typeName, G get, S set) {
    Object(name, typeName, get);
    Last().SetStrings = [set](TPersistent& o, const TStrings& v) { Write(set, o, v); };
    return *this;
  }
  // A sub-object owned by the object (such as a font), stored through its own properties; get
  // gives a pointer or a reference to it.
  template <typename G>
  TClassBuilder& Object(const char* name, const char* typeName, G get) {
    TPropInfo& prop = Add(name, tkClass, typeName);
    prop.GetSubObject = [get](TPersistent& o) -> TPersistent* {
      decltype(auto) object = std::invoke(get, static_cast<T&>(o));
      if constexpr (std::is_pointer_v<std::decay_t<decltype(object)>>) {
        return object;
      } else {
        return &object;
      }
    };
    return *this;
  }
  template <typename R, typename W, typename H>
  TClassBuilder& Binary(const char* name, R read, W write, H hasData) {
    TBinaryPropInfo prop;
    prop.Name = name;
    prop.Read = [read](TPersistent& o, TMemoryStream& s) {
      std::invoke(read, static_cast<T&>(o), s);
    };
    prop.Write = [write](TPersistent& o, TMemoryStream& s) {
      std::invoke(write, static_cast<T&>(o), s);
    };
    prop.HasData = [hasData](const TPersistent& o) {
      return static_cast<bool>(std::invoke(hasData, static_cast<const T&>(o)));
    };
    info_.OwnBinaryProperties().push_back(std::move(prop));
    return *this;
  }

  // Modifiers of the property declared last.
  TClassBuilder& Default(int64_t value) {
    Last().HasDefault = true;
    Last().Default = value;
    return *this;
  }
  TClassBuilder& TypeName(const char* typeName) {
    Last().TypeName = typeName;
    return *this;
  }
  template <typename P>
  TClassBuilder& Stored(P predicate) {
    Last().IsStored = [predicate](const TPersistent& o) {
      return static_cast<bool>(std::invoke(predicate, static_cast<const T&>(o)));
    };
    return *this;
  }

 private:
  template <typename G>
  static decltype(auto) Read(G get, const TPersistent& o) {
    return std::invoke(get, static_cast<const T&>(o));
  }
  template <typename S, typename V>
  static void Write(S set, TPersistent& o, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>) {
      static_cast<T&>(o).*set = std::forward<V>(value);
    } else {
      std::invoke(set, static_cast<T&>(o), std::forward<V>(value));
    }
  }
  template <typename V, typename G, typename S>
  TClassBuilder& Ordinal(const char* name, TTypeKind kind, const char* typeName,
                         std::initializer_list<const char*> identifiers, G get, S set) {
    TPropInfo& prop = Add(name, kind, typeName);
    prop.EnumNames.assign(identifiers.begin(), identifiers.end());
    prop.GetOrd = [get](const TPersistent& o) { return static_cast<int64_t>(Read(get, o)); };
    prop.SetOrd = [set](TPersistent& o, int64_t v) { Write(set, o, static_cast<V>(v)); };
    return *this;
  }
  TPropInfo& Add(const char* name, TTypeKind kind, const char* typeName) {
    TPropInfo prop;
    prop.Name = name;
    prop.Kind = kind;
    prop.TypeName = typeName;
    info_.OwnProperties().push_back(std::move(prop));
    return info_.OwnProperties().back();
  }
  TPropInfo& Last() { return info_.OwnProperties().back(); }

  TClassInfo info_;
};
