#pragma once
// Inputs and hex helpers shared by the LZRW1 coder's tests.
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// "40 10 00" style, upper case.
inline std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string text;
  char digits[4];
  for (uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

inline std::vector<uint8_t> HexBytes(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 3) {
    bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

inline std::vector<uint8_t> RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

// Words and line breaks, as in a text or a source file.
inline std::vector<uint8_t> TextLikeBytes(size_t size, unsigned seed) {
  static const char* const words[] = {"the",    "driver", "data",  "source", "server", "ODBC",
                                      "MySQL",  "port",   "name",  "=",      "\r\n",   "user",
                                      "select", "from",   "where", "1024",   "\t",     "Lintora"};
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes;
  while (bytes.size() < size) {
    const std::string word = words[random() % (sizeof words / sizeof words[0])];
    bytes.insert(bytes.end(), word.begin(), word.end());
    bytes.push_back(' ');
  }
  bytes.resize(size);
  return bytes;
}

// Runs of every length around the run thresholds and beyond 4095, with noise between them.
inline std::vector<uint8_t> RunHeavyBytes(size_t size, unsigned seed) {
  static const size_t lengths[] = {1, 2, 15, 16, 17, 18, 19, 4095, 4096, 4111, 4112, 9000, 40000};
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes;
  while (bytes.size() < size) {
    const size_t length = lengths[random() % (sizeof lengths / sizeof lengths[0])];
    bytes.insert(bytes.end(), length, static_cast<uint8_t>(random() % 4));
    for (unsigned i = random() % 8; i > 0; --i) bytes.push_back(static_cast<uint8_t>(random()));
  }
  bytes.resize(size);
  return bytes;
}

inline std::vector<std::pair<std::string, std::vector<uint8_t>>> SampleInputs(size_t size) {
  return {{"random", RandomBytes(size, static_cast<unsigned>(size) + 1)},
          {"text", TextLikeBytes(size, static_cast<unsigned>(size) + 2)},
          {"runs", RunHeavyBytes(size, static_cast<unsigned>(size) + 3)}};
}
