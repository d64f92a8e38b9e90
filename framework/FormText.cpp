#include "framework/FormText.h"

#include <locale>
#include <sstream>

#include "framework/FormEncoder.h"
#include "framework/FormStream.h"
#include "framework/TextCompare.h"

EFormTextError::EFormTextError(int line, const std::string& message)
    : Exception("Line " + std::to_string(line) + ": " + message), line_(line), detail_(message) {}

namespace {
enum class TokenKind { End, Ident, String, Integer, Float, Symbol };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;      // identifier, UTF-8 string, symbol character or number as written
  uint64_t integer = 0;  // magnitude of an integer
  bool hex = false;
  int line = 1;
};

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsIdentChar(char c) {
  return IsIdentStart(c) || IsDigit(c);
}
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xc0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3f));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xe0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (code & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (code & 0x3f));
  }
}

class Lexer {
 public:
  explicit Lexer(const std::string& text) : text_(text) {}

  const Token& Peek() {
    if (!peeked_) {
      next_ = Scan();
      peeked_ = true;
    }
    return next_;
  }
  Token Next() {
    Peek();
    peeked_ = false;
    return next_;
  }
  int Line() { return Peek().line; }

  // The bytes of a "{ 0A 1B }" block; the "{" has been taken.
  std::vector<uint8_t> HexBlock() {
    std::vector<uint8_t> bytes;
    int high = -1;
    for (;;) {
      if (at_ >= text_.size()) Fail("Unterminated byte block");
      const char c = text_[at_++];
      if (c == '}') break;
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int digit = HexValue(c);
      if (digit < 0) Fail(std::string("Invalid hex digit '") + c + "' in byte block");
      if (high < 0) {
        high = digit;
      } else {
        bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
        high = -1;
      }
    }
    if (high >= 0) Fail("Odd number of hex digits in byte block");
    return bytes;
  }

  [[noreturn]] void Fail(const std::string& message) const { throw EFormTextError(line_, message); }

 private:
  char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  void SkipBlanksAndComments() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '\n') {
        ++line_;
        ++at_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++at_;
      } else if (c == '/' && At(at_ + 1) == '/') {
        while (at_ < text_.size() && text_[at_] != '\n') ++at_;
      } else {
        break;
      }
    }
  }

  Token Scan() {
    if (at_ == 0 && text_.compare(0, 3, "\xef\xbb\xbf") == 0) at_ = 3;  // UTF-8 byte order mark
    SkipBlanksAndComments();
    Token token;
    token.line = line_;
    if (at_ >= text_.size()) return token;
    const char c = text_[at_];
    if (IsIdentStart(c)) {
      token.kind = TokenKind::Ident;
      const size_t start = at_;
      while (IsIdentChar(At(at_)) || (At(at_) == '.' && IsIdentStart(At(at_ + 1)))) ++at_;
      token.text = text_.substr(start, at_ - start);
    } else if (c == '\'' || c == '#') {
      token.kind = TokenKind::String;
      token.text = StringPieces();
    } else if (IsDigit(c) || c == '$') {
      ScanNumber(token);
    } else {
      token.kind = TokenKind::Symbol;
      token.text = std::string(1, c);
      ++at_;
    }
    return token;
  }

  // 'quoted' and #code pieces standing directly together form one string.
  std::string StringPieces() {
    std::string value;
    for (;;) {
      if (At(at_) == '\'') {
        ++at_;
        for (;;) {
          if (at_ >= text_.size() || text_[at_] == '\n' || text_[at_] == '\r') {
            Fail("Unterminated string");
          }
          if (text_[at_] == '\'') {
            if (At(at_ + 1) != '\'') break;
            ++at_;
          }
          value += text_[at_++];
        }
        ++at_;
      } else if (At(at_) == '#') {
        ++at_;
        AppendUtf8(value, CharCode());
      } else {
        return value;
      }
    }
  }

  uint32_t CharCode() {
    const bool hex = At(at_) == '$';
    if (hex) ++at_;
    uint32_t code = 0;
    int digits = 0;
    for (int d; (d = hex ? HexValue(At(at_)) : (IsDigit(At(at_)) ? At(at_) - '0' : -1)) >= 0;) {
      code = code * (hex ? 16 : 10) + static_cast<uint32_t>(d);
      if (code > 0x10ffff) Fail("Character code out of range");
      ++digits;
      ++at_;
    }
    if (digits == 0) Fail("Character code expected after '#'");
    if (code >= 0xd800 && code <= 0xdfff) Fail("Character code out of range");
    return code;
  }

  void ScanNumber(Token& token) {
    const size_t start = at_;
    token.kind = TokenKind::Integer;
    token.hex = text_[at_] == '$';
    if (token.hex) ++at_;
    const int base = token.hex ? 16 : 10;
    int digits = 0;
    for (int d; (d = token.hex ? HexValue(At(at_)) : (IsDigit(At(at_)) ? At(at_) - '0' : -1)) >= 0;
         ++at_, ++digits) {
      token.integer = token.integer * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
      if (token.integer > 0xffffffffull) Fail("Number out of range");
    }
    if (digits == 0) Fail("Hex digits expected after '$'");
    if (!token.hex && (At(at_) == '.' || At(at_) == 'e' || At(at_) == 'E')) {
      token.kind = TokenKind::Float;
      if (At(at_) == '.') {
        ++at_;
        while (IsDigit(At(at_))) ++at_;
      }
      if (At(at_) == 'e' || At(at_) == 'E') {
        ++at_;
        if (At(at_) == '+' || At(at_) == '-') ++at_;
        if (!IsDigit(At(at_))) Fail("Invalid number");
        while (IsDigit(At(at_))) ++at_;
      }
    }
    token.text = text_.substr(start, at_ - start);
  }

  const std::string& text_;
  size_t at_ = 0;
  int line_ = 1;
  Token next_;
  bool peeked_ = false;
};

class Compiler {
 public:
  Compiler(const std::string& text, const FormTextEnvironment& env) : in_(text), env_(env) {}

  std::vector<uint8_t> Compile() {
    if (!IsWord(in_.Next(), "object")) in_.Fail("'object' expected");
    Object(0);
    if (in_.Peek().kind != TokenKind::End) Fail(in_.Peek(), "Text after the last 'end'");
    return out_.Bytes();
  }

 private:
  static bool IsWord(const Token& token, const char* word) {
    return token.kind == TokenKind::Ident && SameText(token.text, word);
  }
  static bool IsSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text[0] == symbol;
  }
  [[noreturn]] static void Fail(const Token& token, const std::string& message) {
    throw EFormTextError(token.line, message);
  }
  Token Expect(TokenKind kind, const char* what) {
    Token token = in_.Next();
    if (token.kind != kind) Fail(token, std::string(what) + " expected");
    return token;
  }

  // After "object": [name ":"] class, properties, children, "end".
  void Object(int depth) {
    const Token first = Expect(TokenKind::Ident, "Object name or class");
    if (depth > kMaxFormDepth) Fail(first, "Objects nest too deep");
    std::string name, className = first.text;
    if (IsSymbol(in_.Peek(), ':')) {
      in_.Next();
      name = first.text;
      className = Expect(TokenKind::Ident, "Class name").text;
    }
    Guarded(first, [&] {
      out_.Name(className);
      out_.Name(name);
    });
    if (env_.OnObject) env_.OnObject(depth, name, className);
    bool inChildren = false;
    for (;;) {
      const Token token = in_.Next();
      if (token.kind == TokenKind::End) Fail(token, "'end' expected");
      if (IsWord(token, "end")) break;
      if (IsWord(token, "object")) {
        if (!inChildren) out_.End();
        inChildren = true;
        Object(depth + 1);
      } else if (token.kind == TokenKind::Ident) {
        if (inChildren) Fail(token, "Property " + token.text + " after a child object");
        if (!IsSymbol(in_.Next(), '=')) Fail(token, "'=' expected after " + token.text);
        Property(token);
      } else {
        Fail(token, "Property name, 'object' or 'end' expected");
      }
    }
    if (!inChildren) out_.End();
    out_.End();
  }

  // Runs an encoder or environment step, giving its failure the line of the token.
  template <typename Step>
  void Guarded(const Token& at, Step step) {
    try {
      step();
    } catch (const EFormTextError&) {
      throw;
    } catch (const Exception& e) {
      Fail(at, e.Message());
    }
  }

  void Property(const Token& nameToken) {
    std::string name = nameToken.text;
    const Token value = in_.Next();
    if (IsSymbol(value, '(')) {
      const std::string suffix = ".Strings";  // the list's own property, as other tools write it
      if (name.size() > suffix.size() &&
          SameText(name.substr(name.size() - suffix.size()), suffix)) {
        name.resize(name.size() - suffix.size());
      }
    }
    Guarded(nameToken, [&] { out_.Name(name); });
    Guarded(value, [&] { Value(value); });
  }

  void Value(const Token& token) {
    if (token.kind == TokenKind::Integer || token.kind == TokenKind::Float) {
      Number(token, false);
    } else if (IsSymbol(token, '-')) {
      const Token number = in_.Next();
      if (number.kind != TokenKind::Integer && number.kind != TokenKind::Float) {
        Fail(number, "Number expected after '-'");
      }
      Number(number, true);
    } else if (token.kind == TokenKind::String) {
      out_.String(env_.ConvertText(StringExpression(token)));
    } else if (IsWord(token, "True") || IsWord(token, "False")) {
      out_.Boolean(IsWord(token, "True"));
    } else if (IsWord(token, "file") && in_.Peek().kind == TokenKind::String) {
      const std::vector<uint8_t> bytes = env_.ReadFile(StringExpression(in_.Next()));
      out_.Binary(bytes.data(), bytes.size());
    } else if (token.kind == TokenKind::Ident) {
      out_.Ident(token.text);
    } else if (IsSymbol(token, '[')) {
      out_.Set(SetMembers());
    } else if (IsSymbol(token, '(')) {
      out_.List(ListItems());
    } else if (IsSymbol(token, '{')) {
      const std::vector<uint8_t> bytes = in_.HexBlock();
      out_.Binary(bytes.data(), bytes.size());
    } else {
      Fail(token, "Value expected");
    }
  }

  void Number(const Token& token, bool negative) {
    if (token.kind == TokenKind::Float) {
      std::istringstream parse(token.text);
      parse.imbue(std::locale::classic());
      double value = 0;
      parse >> value;
      if (parse.fail()) Fail(token, "Invalid number " + token.text);
      out_.Float(negative ? -value : value);
      return;
    }
    // Hex numbers may use all 32 bits (colours); decimal ones are signed 32-bit integers.
    const uint64_t limit = token.hex ? 0xffffffffull : (negative ? 0x80000000ull : 0x7fffffffull);
    if (token.integer > limit) Fail(token, "Number out of range: " + token.text);
    const uint32_t bits = static_cast<uint32_t>(negative ? (~token.integer + 1) : token.integer);
    out_.Int(static_cast<int32_t>(bits));
  }

  // A string, then more joined by "+".
  std::string StringExpression(const Token& first) {
    std::string value = first.text;
    while (IsSymbol(in_.Peek(), '+')) {
      in_.Next();
      value += Expect(TokenKind::String, "String").text;
    }
    return value;
  }

  std::vector<std::string> SetMembers() {
    std::vector<std::string> members;
    if (IsSymbol(in_.Peek(), ']')) {
      in_.Next();
      return members;
    }
    for (;;) {
      members.push_back(Expect(TokenKind::Ident, "Set member").text);
      const Token separator = in_.Next();
      if (IsSymbol(separator, ']')) return members;
      if (!IsSymbol(separator, ',')) Fail(separator, "',' or ']' expected");
    }
  }

  std::vector<std::string> ListItems() {
    std::vector<std::string> items;
    for (;;) {
      const Token token = in_.Next();
      if (IsSymbol(token, ')')) return items;
      if (token.kind != TokenKind::String) Fail(token, "String or ')' expected");
      const std::string item = StringExpression(token);
      Guarded(token, [&] { items.push_back(env_.ConvertText(item)); });
    }
  }

  Lexer in_;
  const FormTextEnvironment& env_;
  FormEncoder out_;
};
}  // namespace

std::vector<uint8_t> CompileFormText(const std::string& text, const FormTextEnvironment& env) {
  return Compiler(text, env).Compile();
}
