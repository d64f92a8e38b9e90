#pragma once
// Byte-level writer of the stored form format (framework/FormStream.h), shared by the form
// writer and the text form compiler. Raises Exception for what the format cannot hold (a name
// longer than 255 bytes, a text or block of 4 GiB or more).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FormEncoder {
 public:
  FormEncoder();  // starts with the signature

  void Name(const std::string& name);  // class, object or property name; may be empty
  void End() { bytes_.push_back(0); }  // ends a property list or a child list

  void Int(int32_t value);
  void Float(double value);
  void String(const std::string& text);
  void Ident(const std::string& identifier);
  void Boolean(bool value);
  void List(const std::vector<std::string>& lines);
  void Set(const std::vector<std::string>& identifiers);
  void Binary(const uint8_t* data, size_t size);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  void Tag(uint8_t tag) { bytes_.push_back(tag); }
  void U32(size_t value);
  void Raw(const void* data, size_t size);

  std::vector<uint8_t> bytes_;
};
