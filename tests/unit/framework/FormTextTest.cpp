#include <gtest/gtest.h>

#include <map>

#include "TestComponents.h"
#include "framework/FormEncoder.h"
#include "framework/FormStream.h"
#include "framework/FormText.h"

namespace {
// Strings stay UTF-8 unless a test converts them; files come from a table.
struct Environment {
  std::map<std::string, std::vector<uint8_t>> files;
  FormTextEnvironment Get() {
    FormTextEnvironment env;
    env.ConvertText = [](const std::string& s) { return s; };
    env.ReadFile = [this](const std::string& path) {
      const auto found = files.find(path);
      if (found == files.end()) throw EFileError("Cannot open file " + path);
      return found->second;
    };
    return env;
  }
};

// The stream of one object of class TTestItem holding the properties `body` adds.
template <typename Body>
std::vector<uint8_t> OneObject(Body body) {
  FormEncoder expected;
  expected.Name("TTestItem");
  expected.Name("");
  body(expected);
  expected.End();
  expected.End();
  return expected.Bytes();
}

std::string CompileError(const std::string& text) {
  Environment env;
  try {
    CompileFormText(text, env.Get());
  } catch (const EFormTextError& e) {
    return e.Message();
  }
  return "no error";
}

const char* const kForm = R"(object LintoraForm: TTestForm
  Caption = '安裝 MySQL'
  Left = 0
  Font.Name = '細明體'
  Font.Charset = 136
  object Panel1: TTestPanel
    Caption = ' '
    Left = 28
    Align = alClient
    Anchors = [akLeft, akBottom]
    object Label1: TTestItem
      Left = 34
      Visible = False
      PasswordChar = '*'
      Ratio = 0.25
      OnClick = Label1Click
    end
  end
  object BinStream1: TTestItem
    Left = -2147483648
    Lines.Strings = (
      'S_Link=連結'
      ''
      'S_Fail=x')
    Data = file 'drivers/Myodbc.dll'
  end
end
)";
}  // namespace

TEST(FormText, TextToStreamToComponentsToStreamIsIdentical) {
  RegisterTestClasses();
  Environment env;
  env.files["drivers/Myodbc.dll"] = {'M', 'Z', 0x90, 0, 0xff};
  const std::vector<uint8_t> compiled = CompileFormText(kForm, env.Get());

  TTestForm form(nullptr);
  FormReader(compiled).ReadRootComponent(form);
  auto* store = dynamic_cast<TTestItem*>(form.FindComponent("BinStream1"));
  auto* label = dynamic_cast<TTestItem*>(form.FindComponent("Label1"));
  ASSERT_TRUE(store && label);
  EXPECT_EQ(store->data.Bytes(), env.files["drivers/Myodbc.dll"]);
  EXPECT_EQ(store->lines.Count(), 3);
  EXPECT_EQ(store->left, INT32_MIN);
  EXPECT_EQ(label->parent, form.FindComponent("Panel1"));
  EXPECT_EQ(form.font.charset, 136);

  EXPECT_EQ(FormWriter::WriteComponent(form), compiled);
}

TEST(FormText, StringSyntax) {
  Environment env;
  const auto compiled = CompileFormText(
      "object TTestItem\n"
      "  Caption = 'It''s'#13#10'two' + // the rest follows\n"
      "    #$41'B'#0\n"
      "end\n",
      env.Get());
  EXPECT_EQ(compiled, OneObject([](FormEncoder& s) {
              s.Name("Caption");
              s.String(std::string("It's\r\ntwoAB\0", 12));
            }));
  // A code point beyond ASCII is written as UTF-8 for the converter: #23433 is 安.
  EXPECT_EQ(CompileFormText("object TTestItem Caption = #23433 end", env.Get()),
            OneObject([](FormEncoder& s) {
              s.Name("Caption");
              s.String("\xe5\xae\x89");
            }));
}

TEST(FormText, NumbersSetsListsAndBlocks) {
  Environment env;
  const auto compiled = CompileFormText(
      "\xef\xbb\xbfobject TTestItem\n"
      "  Color = $00D24400\n  Tag = $FFFFFFFF\n  Top = -5\n  Ratio = -1.5e2\n"
      "  Anchors = []\n  Font.Style = [fsBold,fsItalic]\n"
      "  Items = ()\n  Picture.Data = {0a 1B\n 2c}\n  Enabled = true\n"
      "end",
      env.Get());
  EXPECT_EQ(compiled, OneObject([](FormEncoder& s) {
              s.Name("Color");
              s.Int(0x00D24400);
              s.Name("Tag");
              s.Int(-1);
              s.Name("Top");
              s.Int(-5);
              s.Name("Ratio");
              s.Float(-150.0);
              s.Name("Anchors");
              s.Set({});
              s.Name("Font.Style");
              s.Set({"fsBold", "fsItalic"});
              s.Name("Items");
              s.List({});
              s.Name("Picture.Data");
              const uint8_t bytes[] = {0x0a, 0x1b, 0x2c};
              s.Binary(bytes, 3);
              s.Name("Enabled");
              s.Boolean(true);
            }));
}

TEST(FormText, StringsAreConvertedButNamesAndPathsAreNot) {
  Environment env;
  env.files["\xe4\xb8\xad.dll"] = {1};
  FormTextEnvironment marking = env.Get();
  marking.ConvertText = [](const std::string& s) { return "<" + s + ">"; };
  const auto compiled = CompileFormText(
      "object Form1: TTestItem Caption = 'a' Lines = ('b' 'c') OnClick = Form1Click "
      "Data = file '\xe4\xb8\xad.dll' end",
      marking);
  FormEncoder expected;
  expected.Name("TTestItem");
  expected.Name("Form1");
  expected.Name("Caption");
  expected.String("<a>");
  expected.Name("Lines");
  expected.List({"<b>", "<c>"});
  expected.Name("OnClick");
  expected.Ident("Form1Click");
  expected.Name("Data");
  expected.Binary(env.files["\xe4\xb8\xad.dll"].data(), 1);
  expected.End();
  expected.End();
  EXPECT_EQ(compiled, expected.Bytes());
}

TEST(FormText, FaultsNameTheirLine) {
  EXPECT_EQ(CompileError("object A: TTestItem\n  Left 5\nend\n"),
            "Line 2: '=' expected after Left");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Caption = 'open\nend\n"),
            "Line 2: Unterminated string");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Left = 2147483648\nend"),
            "Line 2: Number out of range: 2147483648");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Left = 99999999999\nend"),
            "Line 2: Number out of range");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Left = 1\n"), "Line 3: 'end' expected");
  EXPECT_EQ(CompileError("object A: TTestItem\n object B: TTestItem end\n Left = 1\nend"),
            "Line 3: Property Left after a child object");
  EXPECT_EQ(CompileError("object A: TTestItem\n\n  Data = {0A 1}\nend"),
            "Line 3: Odd number of hex digits in byte block");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Data = file 'missing.bin'\nend"),
            "Line 2: Cannot open file missing.bin");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Caption = #55296\nend"),
            "Line 2: Character code out of range");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Anchors = [akLeft akTop]\nend"),
            "Line 2: ',' or ']' expected");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Lines = ('a' 5)\nend"),
            "Line 2: String or ')' expected");
  EXPECT_EQ(CompileError("object A: TTestItem\n  Left = =\nend"), "Line 2: Value expected");
  EXPECT_EQ(CompileError("object A: TTestItem\nend\nend"), "Line 3: Text after the last 'end'");
  EXPECT_EQ(CompileError("  A: TTestItem end"), "Line 1: 'object' expected");
  EXPECT_EQ(CompileError("object A: TTestItem\n  OnClick = " + std::string(256, 'x') + "\nend"),
            "Line 2: Name too long for a form stream: " + std::string(40, 'x'));
}

TEST(FormText, ConversionFailureNamesTheLine) {
  Environment env;
  FormTextEnvironment failing = env.Get();
  failing.ConvertText = [](const std::string& s) -> std::string {
    if (s == "bad") throw Exception("Cannot convert 'bad'");
    return s;
  };
  try {
    CompileFormText("object A: TTestItem\n  Lines = (\n'ok'\n  'bad')\nend", failing);
    FAIL() << "no error";
  } catch (const EFormTextError& e) {
    EXPECT_EQ(e.Line(), 4);
    EXPECT_EQ(e.Message(), "Line 4: Cannot convert 'bad'");
  }
}
