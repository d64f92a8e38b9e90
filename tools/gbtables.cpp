// Generates the code conversion tables "GBTRSBIG" (GB2312 -> Big5) and "BIGTRSGB" (Big5 ->
// GB2312) from glibc iconv's GB2312 and Big5 mappings and OpenCC's character lists, and prints how
// many cells of each hold the filler.
//
//   gbtables ST_CHARACTERS TS_CHARACTERS TW_VARIANTS PAIRS OUTDIR
//
// ST_CHARACTERS and TS_CHARACTERS are OpenCC's simplified->traditional and traditional->simplified
// character lists, TW_VARIANTS its standard-traditional->Taiwan variants (為 for 爲: Big5 holds the
// Taiwan forms), all in text form ("key<TAB>form form ..."), as `opencc_dict -t text` writes them.
// PAIRS (tools/gbtables-pairs.txt) adds the few pairs those lists lack, each with its reason.
//
// A character that the target code set holds as itself maps to itself; otherwise its other form
// (traditional for Big5, simplified for GB2312) in list order, when the target holds one; otherwise
// a punctuation or symbol counterpart; otherwise the filler. A few cells keep the values that
// programs reading these tables have always found there; they are listed in kFixedCells.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "i18n/ConversionTableLayout.h"

namespace {

using Code = uint16_t;  // a double-byte code, lead byte in the high half
using CharacterList = std::map<char32_t, std::vector<char32_t>>;

uint8_t Lead(Code code) {
  return static_cast<uint8_t>(code >> 8);
}
uint8_t Trail(Code code) {
  return static_cast<uint8_t>(code & 0xFF);
}
Code MakeCode(unsigned lead, unsigned trail) {
  return static_cast<Code>(lead << 8 | trail);
}

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The whole input converted, or nothing when any of it has no counterpart.
  std::optional<std::string> Convert(const std::string& input) const {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string in = input;
    char out[16];
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
        inLeft != 0 ||
        iconv(handle_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      return std::nullopt;
    }
    return std::string(out, outPtr);
  }

 private:
  iconv_t handle_;
};

// A double-byte code set: the character of a code, the code of a character.
class CodeSet {
 public:
  virtual ~CodeSet() = default;
  virtual std::optional<char32_t> Decode(Code code) const = 0;
  virtual std::optional<Code> Encode(char32_t c) const = 0;
};

// One double-byte code set as glibc iconv knows it.
class IconvCodeSet : public CodeSet {
 public:
  explicit IconvCodeSet(const char* name)
      : decoder_("UTF-32LE", name), encoder_(name, "UTF-32LE") {}

  std::optional<char32_t> Decode(Code code) const override {
    const std::string bytes{static_cast<char>(Lead(code)), static_cast<char>(Trail(code))};
    const auto utf32 = decoder_.Convert(bytes);
    if (!utf32 || utf32->size() != 4) return std::nullopt;
    char32_t c = 0;
    for (int i = 3; i >= 0; --i) c = c << 8 | static_cast<uint8_t>((*utf32)[i]);
    return c;
  }

  std::optional<Code> Encode(char32_t c) const override {
    std::string utf32(4, '\0');
    for (int i = 0; i < 4; ++i) utf32[i] = static_cast<char>(c >> (8 * i) & 0xFF);
    const auto bytes = encoder_.Convert(utf32);
    if (!bytes || bytes->size() != 2) return std::nullopt;
    return MakeCode(static_cast<uint8_t>((*bytes)[0]), static_cast<uint8_t>((*bytes)[1]));
  }

 private:
  Converter decoder_;
  Converter encoder_;
};

// Big5 as Traditional-Chinese systems have long used it: the plain code set plus the
// long-standing extension in rows C6 to C8 (C6A1 to C878: circled numbers, small Roman numerals,
// radicals, kana, Cyrillic). glibc's BIG5 reads those codes as private-use characters; its
// BIG5-HKSCS holds them, but also a great many Hong Kong characters elsewhere that plain Big5
// readers do not know, so only the extension's codes are taken from it. Read, every code of the
// extension counts; written, only its kana (C6E7 to C7F2) and Cyrillic (C7F3 to C875), which plain
// Big5 lacks entirely: its radicals would displace the traditional forms (广 would come out as
// the radical, not as 廣), and GB2312's circled numbers have always come out as the filler.
class Big5WithExtension : public CodeSet {
 public:
  Big5WithExtension() : plain_("BIG5"), wider_("BIG5-HKSCS") {}

  std::optional<char32_t> Decode(Code code) const override {
    return code >= 0xC6A1 && code <= 0xC878 ? wider_.Decode(code) : plain_.Decode(code);
  }

  std::optional<Code> Encode(char32_t c) const override {
    if (const auto code = plain_.Encode(c)) return code;
    const auto code = wider_.Encode(c);
    return code && *code >= 0xC6E7 && *code <= 0xC875 ? code : std::nullopt;
  }

 private:
  IconvCodeSet plain_;
  IconvCodeSet wider_;
};

// Punctuation and symbols whose counterpart in the other code set is a different character.
const std::map<char32_t, std::vector<char32_t>>& SymbolCounterparts() {
  // clang-format off
  static const std::map<char32_t, std::vector<char32_t>> counterparts = {
      // Big5's small form variants and their full-width forms
      {0xFE50, {0xFF0C}}, {0xFE51, {0x3001}}, {0xFE52, {0xFF0E}}, {0xFE54, {0xFF1B}},
      {0xFE55, {0xFF1A}}, {0xFE56, {0xFF1F}}, {0xFE57, {0xFF01}}, {0xFE59, {0xFF08}},
      {0xFE5A, {0xFF09}}, {0xFE5B, {0xFF5B}}, {0xFE5C, {0xFF5D}}, {0xFE5D, {0x3014}},
      {0xFE5E, {0x3015}}, {0xFE5F, {0xFF03}}, {0xFE60, {0xFF06}}, {0xFE61, {0xFF0A}},
      {0xFE62, {0xFF0B}}, {0xFE63, {0xFF0D}}, {0xFE64, {0xFF1C}}, {0xFE65, {0xFF1E}},
      {0xFE66, {0xFF1D}}, {0xFE68, {0xFF3C}}, {0xFE69, {0xFF04}}, {0xFE6A, {0xFF05}},
      {0xFE6B, {0xFF20}},
      // vertical presentation forms and their horizontal brackets
      {0xFE35, {0xFF08}}, {0xFE36, {0xFF09}}, {0xFE37, {0xFF5B}}, {0xFE38, {0xFF5D}},
      {0xFE39, {0x3014}}, {0xFE3A, {0x3015}}, {0xFE3B, {0x3010}}, {0xFE3C, {0x3011}},
      {0xFE3D, {0x300A}}, {0xFE3E, {0x300B}}, {0xFE3F, {0x3008}}, {0xFE40, {0x3009}},
      {0xFE41, {0x300C}}, {0xFE42, {0x300D}}, {0xFE43, {0x300E}}, {0xFE44, {0x300F}},
      {0xFE31, {0x2015, 0x2014}}, {0xFE33, {0xFF3F}}, {0xFE34, {0xFF3F}},
      {0xFE30, {0x2236, 0xFF1A}}, {0x2236, {0xFE30, 0xFF1A}},
      // brackets, quotation marks, dots and lines
      {0x3016, {0x3010}}, {0x3017, {0x3011}}, {0xFF3B, {0x3014}}, {0xFF3D, {0x3015}},
      {0x301D, {0x201C}}, {0x301E, {0x201D}}, {0xFF02, {0x201D}}, {0xFF07, {0x2019}},
      {0x2035, {0xFF40}}, {0xFF40, {0x2035}}, {0x2027, {0x30FB, 0x00B7}}, {0x30FB, {0x2027}},
      {0x00B7, {0x2027}}, {0x00AF, {0xFFE3}}, {0xFE49, {0xFFE3}}, {0xFE4A, {0xFFE3}},
      {0xFE4B, {0xFFE3}}, {0xFE4C, {0xFFE3}}, {0x02CD, {0xFF3F}}, {0xFE4D, {0xFF3F}},
      {0xFE4E, {0xFF3F}}, {0x2223, {0xFF5C}}, {0x2571, {0xFF0F}}, {0x2572, {0xFF3C}},
      {0x2573, {0x00D7}},
      // comparison signs
      {0x2264, {0x2266}}, {0x2265, {0x2267}}, {0x2266, {0x2264}}, {0x2267, {0x2265}},
      {0x2248, {0x2252}}, {0x2252, {0x2248}},
      // heavy, dashed and rounded box drawing and the light lines
      {0x2501, {0x2500}}, {0x2504, {0x2500}}, {0x2505, {0x2500}}, {0x2508, {0x2500}},
      {0x2509, {0x2500}}, {0x2503, {0x2502}}, {0x2506, {0x2502}}, {0x2507, {0x2502}},
      {0x250A, {0x2502}}, {0x250B, {0x2502}}, {0x250F, {0x250C}}, {0x2513, {0x2510}},
      {0x2517, {0x2514}}, {0x251B, {0x2518}}, {0x2523, {0x251C}}, {0x252B, {0x2524}},
      {0x2533, {0x252C}}, {0x253B, {0x2534}}, {0x254B, {0x253C}}, {0x256D, {0x250C}},
      {0x256E, {0x2510}}, {0x2570, {0x2514}}, {0x256F, {0x2518}},
  };
  // clang-format on
  return counterparts;
}

std::vector<char32_t> CodePoints(const std::string& utf8) {
  static const Converter fromUtf8("UTF-32LE", "UTF-8");
  std::vector<char32_t> points;
  const auto utf32 = fromUtf8.Convert(utf8);
  if (!utf32) return points;
  for (size_t i = 0; i + 3 < utf32->size(); i += 4) {
    char32_t c = 0;
    for (int k = 3; k >= 0; --k) c = c << 8 | static_cast<uint8_t>((*utf32)[i + k]);
    points.push_back(c);
  }
  return points;
}

CharacterList ReadCharacterList(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  CharacterList list;
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const auto key = CodePoints(line.substr(0, tab));
    if (key.size() != 1) continue;  // phrases: the conversion is by character only
    std::vector<char32_t>& forms = list[key[0]];
    size_t start = tab + 1;
    while (start <= line.size()) {
      size_t end = line.find(' ', start);
      if (end == std::string::npos) end = line.size();
      const auto form = CodePoints(line.substr(start, end - start));
      if (form.size() == 1) forms.push_back(form[0]);
      start = end + 1;
    }
  }
  if (list.empty()) throw std::runtime_error(path + " holds no character list");
  return list;
}

// Simplified forms followed by the Taiwan variants of their traditional forms. A character that is
// the same in both standards but that Taiwan writes otherwise (着, written 著) gets the variants.
CharacterList WithTaiwanVariants(CharacterList simplifiedToTraditional,
                                 const CharacterList& taiwanVariants) {
  for (auto& [simplified, forms] : simplifiedToTraditional) {
    const std::vector<char32_t> standard = forms;
    for (const char32_t form : standard) {
      if (const auto it = taiwanVariants.find(form); it != taiwanVariants.end()) {
        forms.insert(forms.end(), it->second.begin(), it->second.end());
      }
    }
  }
  for (const auto& [standard, variants] : taiwanVariants) {
    simplifiedToTraditional.emplace(standard, variants);  // only where the list has no entry
  }
  return simplifiedToTraditional;
}

// Taiwan variants get the simplified forms of their standard traditional forms, or the standard
// form itself where it is the simplified one too (痺 -> 痹).
CharacterList WithTaiwanVariantsSimplified(CharacterList traditionalToSimplified,
                                           const CharacterList& taiwanVariants) {
  for (const auto& [standard, variants] : taiwanVariants) {
    const auto simplified = traditionalToSimplified.find(standard);
    const std::vector<char32_t> forms = simplified == traditionalToSimplified.end()
                                            ? std::vector<char32_t>{standard}
                                            : simplified->second;
    for (const char32_t variant : variants) {
      if (variant == standard) continue;
      std::vector<char32_t>& target = traditionalToSimplified[variant];
      target.insert(target.end(), forms.begin(), forms.end());
    }
  }
  return traditionalToSimplified;
}

void AddForm(CharacterList& list, char32_t key, char32_t form) {
  std::vector<char32_t>& forms = list[key];
  if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
}

// The traditional->simplified list misses traditional forms that the simplified->traditional
// list names (伕 under 夫, 牠 under 它): they get those simplified forms after their own.
CharacterList WithSimplifiedListReversed(CharacterList traditionalToSimplified,
                                         const CharacterList& simplifiedToTraditional) {
  for (const auto& [simplified, forms] : simplifiedToTraditional) {
    for (const char32_t traditional : forms) {
      if (traditional != simplified) AddForm(traditionalToSimplified, traditional, simplified);
    }
  }
  return traditionalToSimplified;
}

struct CharacterPair {
  char32_t simplified;
  char32_t traditional;
};

// The pairs file: "SIMPLIFIED TRADITIONAL reason..." a line, "#" starting a comment line.
std::vector<CharacterPair> ReadCharacterPairs(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<CharacterPair> pairs;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    const size_t end = line.find(' ', space + 1);
    const auto simplified = CodePoints(line.substr(0, space));
    const auto traditional = CodePoints(
        space == std::string::npos ? std::string() : line.substr(space + 1, end - space - 1));
    if (simplified.size() != 1 || traditional.size() != 1) {
      throw std::runtime_error(path + ":" + std::to_string(number) +
                               ": not a pair of single characters");
    }
    pairs.push_back({simplified[0], traditional[0]});
  }
  return pairs;
}

// The pairs' forms come after those of the lists: a pair only fills in what the lists lack.
CharacterList WithPairs(CharacterList list, const std::vector<CharacterPair>& pairs,
                        bool fromSimplified) {
  for (const CharacterPair& pair : pairs) {
    if (fromSimplified) {
      AddForm(list, pair.simplified, pair.traditional);
    } else {
      AddForm(list, pair.traditional, pair.simplified);
    }
  }
  return list;
}

// The forms a character takes before itself: Taiwan variants whose standard form GB2312 holds
// beside them, unless the variant is a simplified form in its own right (么 for 麼). Big5's 著
// stands for both 著 and 着, and 着, the particle, is by far the more frequent in simplified text.
CharacterList StandardFormsFirst(const CharacterList& taiwanVariants,
                                 const CharacterList& traditionalToSimplified) {
  std::set<char32_t> simplifiedForms;
  for (const auto& [traditional, forms] : traditionalToSimplified) {
    simplifiedForms.insert(forms.begin(), forms.end());
  }
  CharacterList first;
  for (const auto& [standard, variants] : taiwanVariants) {
    for (const char32_t variant : variants) {
      if (variant != standard && !simplifiedForms.count(variant)) AddForm(first, variant, standard);
    }
  }
  return first;
}

// The code in `target` that stands for `c`, or nothing when there is none: the first of its
// forms `first` that the target holds, itself, the first of its `forms`, a symbol counterpart.
std::optional<Code> Counterpart(char32_t c, const CodeSet& target, const CharacterList& first,
                                const CharacterList& forms) {
  const auto encodeFirst = [&](const CharacterList& list, char32_t key) -> std::optional<Code> {
    const auto it = list.find(key);
    if (it == list.end()) return std::nullopt;
    for (const char32_t candidate : it->second) {
      if (const auto code = target.Encode(candidate)) return code;
    }
    return std::nullopt;
  };
  if (const auto code = encodeFirst(first, c)) return code;
  if (const auto code = target.Encode(c)) return code;
  if (const auto code = encodeFirst(forms, c)) return code;
  return encodeFirst(SymbolCounterparts(), c);
}

struct FixedCell {
  Code source;
  Code target;
};

// Cells whose values differ from what the character correspondence would give and that readers
// of the tables rely on: Big5's full-width comma has always come out as the GB2312 ideographic
// space, and one cell among Big5's empty trail bytes holds a GB2312 character.
constexpr FixedCell kFixedBigToGbCells[] = {{0xA141, 0xA1A1}, {0xA28D, 0xD0AF}};

// The Big5 user-defined row FA (FA40..FA7E, FAA1..FAFE) maps onto the GB2312 user-defined codes
// from FAA1 on, in code order.
void MapUserDefinedRow(std::vector<uint8_t>& table) {
  unsigned gbLead = 0xFA, gbTrail = 0xA1;
  for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
    if (trail > 0x7E && trail < 0xA1) continue;
    const std::ptrdiff_t position = BigToGbPosition(0xFA, static_cast<uint8_t>(trail));
    table[position] = static_cast<uint8_t>(gbLead);
    table[position + 1] = static_cast<uint8_t>(gbTrail);
    if (++gbTrail > 0xFE) {
      gbTrail = 0xA1;
      ++gbLead;
    }
  }
}

void Put(std::vector<uint8_t>& table, std::ptrdiff_t position, Code code) {
  table[position] = Lead(code);
  table[position + 1] = Trail(code);
}

// A table of `size` bytes holding the filler in every cell.
std::vector<uint8_t> FilledTable(size_t size, Code filler) {
  std::vector<uint8_t> table(size);
  for (size_t position = 0; position < size; position += 2) Put(table, position, filler);
  return table;
}

std::vector<uint8_t> MakeGbToBigTable(const CodeSet& gb, const CodeSet& big5,
                                      const CharacterList& simplifiedToTraditional) {
  std::vector<uint8_t> table =
      FilledTable(kGbToBigTableSize, MakeCode(kBig5FillerLead, kBig5FillerTrail));
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    if (lead >= 0xAA && lead <= 0xAF) continue;
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const auto c = gb.Decode(MakeCode(lead, trail));
      if (!c) continue;
      if (const auto code = Counterpart(*c, big5, CharacterList(), simplifiedToTraditional)) {
        Put(table, GbToBigPosition(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)), *code);
      }
    }
  }
  return table;
}

std::vector<uint8_t> MakeBigToGbTable(const CodeSet& big5, const CodeSet& gb,
                                      const CharacterList& standardFormsFirst,
                                      const CharacterList& traditionalToSimplified) {
  std::vector<uint8_t> table =
      FilledTable(kBigToGbTableSize, MakeCode(kGbFillerLead, kGbFillerTrail));
  for (unsigned lead = 0xA1; lead <= 0xFA; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const std::ptrdiff_t position =
          BigToGbPosition(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
      if (trail == 0x7F || trail == 0x80) {
        // Readers find the pair itself here, so such a pair comes through unchanged.
        Put(table, position, MakeCode(lead, trail));
        continue;
      }
      const auto c = big5.Decode(MakeCode(lead, trail));
      if (!c) continue;
      if (const auto code = Counterpart(*c, gb, standardFormsFirst, traditionalToSimplified)) {
        Put(table, position, *code);
      }
    }
  }
  MapUserDefinedRow(table);
  for (const FixedCell& cell : kFixedBigToGbCells) {
    Put(table, BigToGbPosition(Lead(cell.source), Trail(cell.source)), cell.target);
  }
  return table;
}

void WriteTable(const std::string& path, const std::vector<uint8_t>& table) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(table.data()),
            static_cast<std::streamsize>(table.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

size_t CellsHolding(const std::vector<uint8_t>& table, Code code) {
  size_t count = 0;
  for (size_t position = 0; position + 1 < table.size(); position += 2) {
    if (MakeCode(table[position], table[position + 1]) == code) ++count;
  }
  return count;
}

// Writes the table and says how many of its cells hold the filler (the trailing two included),
// the figure by which the tables are described.
void WriteTable(const std::string& outDir, const char* name, const std::vector<uint8_t>& table,
                Code filler) {
  WriteTable(outDir + "/" + name, table);
  std::printf("%s: %zu of %zu cells hold the filler %02X %02X\n", name, CellsHolding(table, filler),
              table.size() / 2, Lead(filler), Trail(filler));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s ST_CHARACTERS TS_CHARACTERS TW_VARIANTS PAIRS OUTDIR\n",
                 argv[0]);
    return 2;
  }
  try {
    const CharacterList simplifiedList = ReadCharacterList(argv[1]);
    const CharacterList taiwanVariants = ReadCharacterList(argv[3]);
    const std::vector<CharacterPair> pairs = ReadCharacterPairs(argv[4]);
    const CharacterList simplifiedToTraditional =
        WithPairs(WithTaiwanVariants(simplifiedList, taiwanVariants), pairs, true);
    const CharacterList traditionalToSimplified =
        WithPairs(WithSimplifiedListReversed(
                      WithTaiwanVariantsSimplified(ReadCharacterList(argv[2]), taiwanVariants),
                      simplifiedList),
                  pairs, false);
    const IconvCodeSet gb("GB2312");
    const Big5WithExtension big5;
    const std::string outDir = argv[5];
    WriteTable(outDir, "GBTRSBIG", MakeGbToBigTable(gb, big5, simplifiedToTraditional),
               MakeCode(kBig5FillerLead, kBig5FillerTrail));
    const CharacterList standardFormsFirst =
        StandardFormsFirst(taiwanVariants, traditionalToSimplified);
    WriteTable(outDir, "BIGTRSGB",
               MakeBigToGbTable(big5, gb, standardFormsFirst, traditionalToSimplified),
               MakeCode(kGbFillerLead, kGbFillerTrail));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gbtables: %s\n", e.what());
    return 1;
  }
  return 0;
}
