#include "framework/FormEncoder.h"

#include <cstring>

#include "framework/Exceptions.h"
#include "framework/FormStream.h"

FormEncoder::FormEncoder() {
  Raw(kFormSignature, sizeof kFormSignature);
}

void FormEncoder::Raw(const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), bytes, bytes + size);
}

void FormEncoder::U32(size_t value) {
  if (value > 0xffffffffu) throw Exception("Form value too large");
  for (int shift = 0; shift < 32; shift += 8)
    bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void FormEncoder::Name(const std::string& name) {
  if (name.size() > 255) throw Exception("Name too long for a form stream: " + name.substr(0, 40));
  bytes_.push_back(static_cast<uint8_t>(name.size()));
  Raw(name.data(), name.size());
}

void FormEncoder::Int(int32_t value) {
  Tag(vaInt);
  U32(static_cast<uint32_t>(value));
}

void FormEncoder::Float(double value) {
  Tag(vaFloat);
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int shift = 0; shift < 64; shift += 8) bytes_.push_back(static_cast<uint8_t>(bits >> shift));
}

void FormEncoder::String(const std::string& text) {
  Tag(vaString);
  U32(text.size());
  Raw(text.data(), text.size());
}

void FormEncoder::Ident(const std::string& identifier) {
  Tag(vaIdent);
  Name(identifier);
}

void FormEncoder::Boolean(bool value) {
  Tag(value ? vaTrue : vaFalse);
}

void FormEncoder::List(const std::vector<std::string>& lines) {
  Tag(vaList);
  U32(lines.size());
  for (const std::string& line : lines) {
    U32(line.size());
    Raw(line.data(), line.size());
  }
}

void FormEncoder::Set(const std::vector<std::string>& identifiers) {
  Tag(vaSet);
  U32(identifiers.size());
  for (const std::string& identifier : identifiers) Name(identifier);
}

void FormEncoder::Binary(const uint8_t* data, size_t size) {
  Tag(vaBinary);
  U32(size);
  Raw(data, size);
}
