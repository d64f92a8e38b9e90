#pragma once
// The stored form: a tree of objects with their properties, in a binary format of our own.
//
// Format (all integers little-endian):
//   form      := "LFM1" object
//   object    := name(class) name(object) property* 0x00 object* 0x00
//   property  := name(property) value          ; name "Font.Charset" reaches a sub-object
//   name      := length:u8 (1..255) bytes      ; an object name may be empty (length 0); a
//                                              ; length 0 where a property or a child object
//                                              ; would start ends that list
//   value     := tag:u8 payload
//     0x01 vaInt     i32                       ; integer, char code, float without fraction
//     0x02 vaString  length:u32 bytes          ; 8-bit text (Big5 in the product)
//     0x03 vaIdent   name                      ; enumeration identifier, event handler name
//     0x04 vaFalse   -
//     0x05 vaTrue    -
//     0x06 vaList    count:u32 (length:u32 bytes)*count   ; string list
//     0x07 vaBinary  length:u32 bytes          ; byte block ("Data"), exactly as the component
//                                              ; writes it
//     0x08 vaSet     count:u32 name*count      ; set, one identifier per member
//     0x09 vaFloat   f64                       ; IEEE 754 double
// Children stand after their parent's properties: what a component's GetChildren lists (controls
// inside a panel, or for the root every component without a parent). Every component of the
// form is owned by the root.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TComponent;
class TMemoryStream;

enum TValueType : uint8_t {
  vaNull = 0x00,
  vaInt = 0x01,
  vaString = 0x02,
  vaIdent = 0x03,
  vaFalse = 0x04,
  vaTrue = 0x05,
  vaList = 0x06,
  vaBinary = 0x07,
  vaSet = 0x08,
  vaFloat = 0x09,
};

extern const char kFormSignature[4];  // "LFM1"
constexpr int kMaxFormDepth = 64;     // nesting of objects a reader accepts

// How long the bytes of a stored form live, which decides how its byte blocks are handed to
// the components.
enum class TFormBytes {
  Transient,  // the caller's buffer: each block is copied
  Permanent,  // the program's own resources: each block is lent where it lies (Borrowing)
};

// Reads a stored form from memory; it never opens a file. Components are made through the class
// registry and owned by the root; properties are set by name in stream order while each
// component is in the reading state; Loaded runs on all of them (root first, then in the order
// read) once the whole form is read. A truncated or corrupt stream, an unknown class or
// property, or a value that does not fit the property raises EReadError; the components made
// by that read are destroyed again.
class FormReader {
 public:
  FormReader(const uint8_t* data, size_t size, TFormBytes lifetime = TFormBytes::Transient)
      : data_(data), size_(size), lifetime_(lifetime) {}
  explicit FormReader(const std::vector<uint8_t>& bytes) : FormReader(bytes.data(), bytes.size()) {}

  // Reads into an existing root (a form object made by code), whose class name must be the
  // stored root's.
  void ReadRootComponent(TComponent& root);
  // Makes the root through the class registry, owned by owner; the caller gets the root (or its
  // owner does).
  TComponent* ReadComponent(TComponent* owner);

 private:
  const uint8_t* data_;
  size_t size_;
  TFormBytes lifetime_;
};

// Writes a component and its children as a stored form: published properties that are stored
// (defaults skipped), then the extra byte-block properties, then the children.
class FormWriter {
 public:
  static std::vector<uint8_t> WriteComponent(TComponent& root);
};
