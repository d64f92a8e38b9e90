// A form read from its text description through the class registry and the published
// properties, as the program reads its dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/ControlClasses.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Forms.h"
#include "controls/win32/Image.h"
#include "controls/win32/Label.h"
#include "controls/win32/Notebook.h"
#include "controls/win32/Panel.h"
#include "framework/FormStream.h"
#include "framework/FormText.h"
#include "framework/Rtti.h"
#include "tests/unit/controls/win32/TestImages.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
std::string Utf8ToBig5(const std::string& utf8) {
  std::wstring wide(utf8.size() + 1, L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                      static_cast<int>(utf8.size()), &wide[0],
                                                      static_cast<int>(wide.size()))));
  std::string big5(wide.size() * 2 + 1, '\0');
  big5.resize(static_cast<size_t>(
      WideCharToMultiByte(950, 0, wide.data(), static_cast<int>(wide.size()), &big5[0],
                          static_cast<int>(big5.size()), nullptr, nullptr)));
  return big5;
}

unsigned Cross(int x, int y) {
  return x == y ? RGB(255, 0, 0) : RGB(0, 255, 0);
}

std::string Description() {
  return R"(object ReadForm: TForm
  BorderStyle = bsDialog
  Caption = '安裝MySQL連結'
  ClientHeight = 393
  ClientWidth = 388
  Font.Height = -12
  Font.Name = '細明體'
  Position = poScreenCenter
  Scaled = False
  OnCreate = FormCreate
  object ANotebook1: TNotebook
    Align = alClient
    object Page0: TPage
      Caption = '0'
      object Panel2: TPanel
        Left = 8
        Top = 6
        Width = 175
        Height = 19
        BevelInner = bvLowered
        BevelOuter = bvNone
        Caption = '請用系統管理員安裝'
        Color = $0044D2
        Font.Color = $FFFFFF
        TabOrder = 11
      end
      object CBox1: TComboBox
        Left = 96
        Top = 54
        Width = 145
        Height = 20
        Sorted = True
        Items = ( 'sales' 'Accounts' )
        TabOrder = 0
        OnDropDown = CBox1DropDown
      end
      object Edit4: TEdit
        Left = 96
        Top = 146
        Width = 130
        Height = 21
        PasswordChar = '*'
        Text = 'Edit3'
        TabOrder = 3
      end
      object BtnDelete: TSpeedButton
        Left = 240
        Top = 54
        Width = 23
        Height = 20
        Glyph.Data = { )" +
         Hex(MakeBitmapFile(10, 12, Cross)) + R"( }
      end
      object Image6: TImage
        Left = 94
        Top = 250
        Width = 215
        Height = 48
        Picture.Data = { )" +
         Hex(MakeJpegFile(215, 48, Cross)) + R"( }
      end
      object Image1: TImage
        Left = 6
        Top = 228
        Width = 53
        Height = 51
        Transparent = True
        Picture.Data = { )" +
         Hex(MakeBitmapFile(53, 51, Cross)) + R"( }
      end
    end
    object Page1: TPage
      Caption = '1'
      object Memo1: TMemo
        Left = 56
        Top = 220
        Width = 289
        Height = 55
        BorderStyle = bsNone
        Color = -16777201
        TabOrder = 2
      end
    end
  end
  object WinXP1: TWinXP
  end
end
)";
}

class FormReadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterControlClasses();
    form.reset(new TForm(nullptr));
    form->PublishMethod("FormCreate", [this](TComponent*) { ++created; });
    form->PublishMethod("CBox1DropDown", [](TComponent*) {});
    FormTextEnvironment env;
    env.ConvertText = Utf8ToBig5;
    FormReader(CompileFormText(Description(), env)).ReadRootComponent(*form);
  }
  template <typename T>
  T* Find(const char* name) {
    return dynamic_cast<T*>(form->FindComponent(name));
  }
  std::unique_ptr<TForm> form;
  int created = 0;
};
}  // namespace

TEST_F(FormReadingTest, ControlsArriveWithTheirPropertiesAndWindows) {
  form->DoCreate();
  EXPECT_EQ(created, 1);
  HWND window = form->Handle();
  EXPECT_EQ(WindowText(window), Utf8ToBig5("安裝MySQL連結"));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 388);
  EXPECT_EQ(client.bottom, 393);

  auto* notice = Find<TPanel>("Panel2");
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(ColorToRGB(notice->Color()), RGB(210, 68, 0));
  EXPECT_EQ(notice->Font().Name(), Utf8ToBig5("細明體"));
  EXPECT_EQ(notice->Font().Color(), clWhite);
  EXPECT_EQ(WindowText(notice->Handle()), Utf8ToBig5("請用系統管理員安裝"));

  auto* sources = Find<TComboBox>("CBox1");
  ASSERT_NE(sources, nullptr);
  EXPECT_EQ(sources->Items().Text(), "Accounts\r\nsales\r\n");
  EXPECT_EQ(SendMessageA(sources->Handle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(Find<TEdit>("Edit4")->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');

  auto* banner = Find<TImage>("Image6");
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->Picture().Width(), 215);
  EXPECT_EQ(banner->Picture().Height(), 48);
  EXPECT_TRUE(Find<TImage>("Image1")->Transparent());
  EXPECT_EQ(Find<TSpeedButton>("BtnDelete")->Glyph().Width(), 10);

  auto* book = Find<TNotebook>("ANotebook1");
  EXPECT_EQ(book->ActivePage(), "0");
  EXPECT_FALSE(IsWindowVisible(Find<TPage>("Page1")->Handle()));
  auto* memo = Find<TMemo>("Memo1");
  EXPECT_EQ(memo->Color(), clBtnFace);
  EXPECT_EQ(memo->BorderStyle(), bsNoBorder);
}

TEST_F(FormReadingTest, WrittenAgainItReadsTheSame) {
  const std::vector<uint8_t> first = FormWriter::WriteComponent(*form);
  TForm again(nullptr);
  again.PublishMethod("FormCreate", [](TComponent*) {});
  again.PublishMethod("CBox1DropDown", [](TComponent*) {});
  FormReader(first).ReadRootComponent(again);
  EXPECT_EQ(FormWriter::WriteComponent(again), first);
}

TEST_F(FormReadingTest, AnEventNamingNoHandlerIsAReadError) {
  TForm other(nullptr);
  other.PublishMethod("FormCreate", [](TComponent*) {});
  FormTextEnvironment env;
  env.ConvertText = Utf8ToBig5;
  EXPECT_THROW(FormReader(CompileFormText(Description(), env)).ReadRootComponent(other),
               EReadError);
}

TEST(PublishedProperties, KindsAndTypeNamesTheLanguageFilesRelyOn) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  auto* edit = new TEdit(&form);
  auto* combo = new TComboBox(&form);
  auto* memo = new TMemo(&form);
  ASSERT_NE(GetPropInfo(*label, "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(*label, "Caption")->TypeName, "TCaption");
  EXPECT_EQ(GetPropInfo(*label, "Caption")->Kind, tkLString);
  EXPECT_EQ(GetPropInfo(*label, "Hint")->Kind, tkLString);
  EXPECT_EQ(GetPropInfo(*edit, "Caption"), nullptr);  // an edit's text is no caption
  EXPECT_NE(GetPropInfo(*edit, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(*combo, "Items")->TypeName, "TStrings");
  EXPECT_EQ(GetPropInfo(*memo, "Lines")->TypeName, "TStrings");
  EXPECT_EQ(GetPropInfo(*label, "Visible")->Kind, tkEnumeration);
  EXPECT_EQ(GetPropInfo(*label, "Left")->Kind, tkInteger);
  EXPECT_EQ(GetPropInfo(*edit, "OnExit")->Kind, tkMethod);
  EXPECT_EQ(GetPropInfo(form, "OnCreate")->Kind, tkMethod);
  // Row 1 of the walk: every control's font character set.
  GetPropInfo(label->Font(), "Charset")->SetOrd(label->Font(), 1);
  EXPECT_EQ(label->Font().Charset(), 1);
  EXPECT_TRUE(label->InheritsFrom("TControl"));
  EXPECT_FALSE(label->InheritsFrom("TWinControl"));
  EXPECT_TRUE(combo->InheritsFrom("TWinControl"));
}
