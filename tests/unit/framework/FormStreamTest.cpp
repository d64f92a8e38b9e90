#include <gtest/gtest.h>

#include <memory>

#include "TestComponents.h"
#include "framework/Exceptions.h"
#include "framework/FormEncoder.h"
#include "framework/FormStream.h"

namespace {
class FormStream : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }

  // A form with a panel holding a label, a non-visual item, and one of each property kind.
  static std::unique_ptr<TTestForm> MakeForm() {
    auto form = std::make_unique<TTestForm>(nullptr);
    form->SetName("LintoraForm");
    form->caption = "\xa6\x77\xb8\xcb MySQL";  // 安裝
    form->font.charset = 136;
    form->font.name = "\xb2\xd3\xa9\xfa\xc5\xe9";  // 細明體
    TTestPanel* panel = new TTestPanel(form.get());
    panel->SetName("Panel1");
    panel->parent = form.get();
    panel->caption = " ";
    panel->align = TTestAlign::alClient;
    panel->anchors = 0b1001;
    TTestItem* label = new TTestItem(form.get());
    label->SetName("Label1");
    label->parent = panel;
    label->left = 34;
    label->visible = false;
    label->passwordChar = '*';
    label->ratio = 0.25;
    label->onClick = "Label1Click";
    TTestItem* store = new TTestItem(form.get());
    store->SetName("BinStream1");
    store->lines.SetText("S_Link=\xb3\x73\xb5\xb2\r\n\r\nS_Fail=x");
    const uint8_t block[] = {'M', 'Z', 0, 0xff, 0x0d, 0x0a};
    store->data.Write(block, sizeof block);
    return form;
  }
};

std::vector<uint8_t> Truncated(const std::vector<uint8_t>& bytes, size_t size) {
  return std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}
}  // namespace

TEST_F(FormStream, WrittenFormReadsBackIntoTheSameTree) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = FormWriter::WriteComponent(*original);

  TTestForm form(nullptr);
  FormReader(bytes).ReadRootComponent(form);
  EXPECT_EQ(form.Name(), "LintoraForm");
  EXPECT_EQ(form.caption, original->caption);
  EXPECT_EQ(form.font.charset, 136);
  EXPECT_EQ(form.font.name, original->font.name);
  EXPECT_EQ(form.font.height, -11);
  ASSERT_EQ(form.ComponentCount(), 3);

  auto* panel = dynamic_cast<TTestPanel*>(form.FindComponent("panel1"));
  auto* label = dynamic_cast<TTestItem*>(form.FindComponent("Label1"));
  auto* store = dynamic_cast<TTestItem*>(form.FindComponent("BinStream1"));
  ASSERT_TRUE(panel && label && store);
  EXPECT_EQ(panel->Owner(), &form);
  EXPECT_EQ(label->Owner(), &form);  // owned by the root, parented by the panel
  EXPECT_EQ(label->parent, panel);
  EXPECT_EQ(panel->parent, &form);
  EXPECT_EQ(panel->caption, " ");
  EXPECT_EQ(panel->align, TTestAlign::alClient);
  EXPECT_EQ(panel->anchors, 0b1001u);
  EXPECT_EQ(label->left, 34);
  EXPECT_FALSE(label->visible);
  EXPECT_EQ(label->passwordChar, '*');
  EXPECT_EQ(label->ratio, 0.25);
  EXPECT_EQ(label->onClick, "Label1Click");
  EXPECT_EQ(store->lines.Text(), "S_Link=\xb3\x73\xb5\xb2\r\n\r\nS_Fail=x\r\n");
  const auto* originalStore = dynamic_cast<TTestItem*>(original->FindComponent("BinStream1"));
  EXPECT_EQ(store->data.Bytes(), originalStore->data.Bytes());
  EXPECT_EQ(FormWriter::WriteComponent(form), bytes);
}

TEST_F(FormStream, DefaultsAreNotWritten) {
  TTestForm empty(nullptr);
  const std::vector<uint8_t> bytes = FormWriter::WriteComponent(empty);
  // Only "Left" (no default) is stored: signature, class, empty name, one integer, two ends.
  FormEncoder expected;
  expected.Name("TTestForm");
  expected.Name("");
  expected.Name("Left");
  expected.Int(0);
  expected.End();
  expected.End();
  EXPECT_EQ(bytes, expected.Bytes());
}

TEST_F(FormStream, PropertiesAreSetInStreamOrderWhileReadingAndLoadedRunsLast) {
  FormEncoder stream;
  stream.Name("TTestForm");
  stream.Name("F");
  stream.End();
  stream.Name("TTestItem");
  stream.Name("A");
  stream.Name("Data");
  stream.Binary(reinterpret_cast<const uint8_t*>("xyz"), 3);
  stream.Name("caption");  // property names ignore case
  stream.String("late");
  stream.End();
  stream.End();
  stream.End();

  TTestForm form(nullptr);
  FormReader(stream.Bytes()).ReadRootComponent(form);
  auto* item = dynamic_cast<TTestItem*>(form.FindComponent("A"));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->events, (std::vector<std::string>{"Data", "Caption while reading", "Loaded"}));
  const std::vector<uint8_t> data = item->data.Bytes();
  EXPECT_EQ(std::string(data.begin(), data.end()), "xyz");
  EXPECT_EQ(item->ComponentState(), 0u);
  EXPECT_EQ(form.ComponentState(), 0u);
  EXPECT_EQ(form.events, (std::vector<std::string>{"Loaded"}));
}

TEST_F(FormStream, ReadComponentMakesTheRootThroughTheRegistry) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = FormWriter::WriteComponent(*original);
  TComponent owner(nullptr);
  TComponent* root = FormReader(bytes).ReadComponent(&owner);
  EXPECT_STREQ(root->ClassName(), "TTestForm");
  EXPECT_EQ(root->Owner(), &owner);
  EXPECT_EQ(root->ComponentCount(), 3);
}

TEST_F(FormStream, WrongRootClassOrUnknownThingsAreReadErrors) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = FormWriter::WriteComponent(*original);
  TTestPanel notTheForm(nullptr);
  EXPECT_THROW(FormReader(bytes).ReadRootComponent(notTheForm), EReadError);

  auto readOne = [](const std::string& className, const std::string& prop, auto writeValue) {
    FormEncoder stream;
    stream.Name("TTestForm");
    stream.Name("F");
    stream.End();
    stream.Name(className);
    stream.Name("Label1");
    stream.Name(prop);
    writeValue(stream);
    stream.End();
    stream.End();
    stream.End();
    TTestForm form(nullptr);
    try {
      FormReader(stream.Bytes()).ReadRootComponent(form);
    } catch (const EReadError& e) {
      EXPECT_EQ(form.ComponentCount(), 0);  // what the failed read made is gone
      EXPECT_EQ(form.ComponentState(), 0u);
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(readOne("TNoSuch", "Left", [](FormEncoder& s) { s.Int(1); }),
            "Class TNoSuch not found");
  EXPECT_EQ(readOne("TTestItem", "Hint", [](FormEncoder& s) { s.String("x"); }),
            "Error reading Label1.Hint: Property Hint does not exist");
  EXPECT_EQ(readOne("TTestItem", "Visible", [](FormEncoder& s) { s.Ident("no"); }),
            "Error reading Label1.Visible: Invalid property element: no");
  EXPECT_EQ(readOne("TTestItem", "Anchors",
                    [](FormEncoder& s) {
                      s.Set({"akLeft", "akFar"});
                    }),
            "Error reading Label1.Anchors: Invalid property element: akFar");
  EXPECT_EQ(readOne("TTestItem", "Left", [](FormEncoder& s) { s.String("12"); }),
            "Error reading Label1.Left: Invalid property value");
  EXPECT_EQ(readOne("TTestItem", "Caption", [](FormEncoder& s) { s.Ident("x"); }),
            "Error reading Label1.Caption: Invalid property value");
  EXPECT_EQ(readOne("TTestItem", "Align", [](FormEncoder& s) { s.Boolean(true); }),
            "Error reading Label1.Align: Invalid property value");
  EXPECT_EQ(readOne("TTestItem", "Font.Nope", [](FormEncoder& s) { s.Int(1); }),
            "Error reading Label1.Font.Nope: Property Font.Nope does not exist");
  EXPECT_EQ(readOne("TTestItem", "Left.X", [](FormEncoder& s) { s.Int(1); }),
            "Error reading Label1.Left.X: Property Left.X does not exist");
  EXPECT_EQ(readOne("TTestItem", "Font.Height", [](FormEncoder& s) { s.Int(-16); }), "no error");
}

TEST_F(FormStream, DuplicateNamesAndTrailingBytesAreRejected) {
  FormEncoder stream;
  stream.Name("TTestForm");
  stream.Name("F");
  stream.End();
  for (int i = 0; i < 2; ++i) {
    stream.Name("TTestItem");
    stream.Name("Same");
    stream.End();
    stream.End();
  }
  stream.End();
  TTestForm form(nullptr);
  EXPECT_THROW(FormReader(stream.Bytes()).ReadRootComponent(form), EReadError);
  EXPECT_EQ(form.ComponentCount(), 0);

  // The same clash through a "Name" property set on the second component.
  FormEncoder renamed;
  renamed.Name("TTestForm");
  renamed.Name("F");
  renamed.End();
  for (const char* name : {"First", "Second"}) {
    renamed.Name("TTestItem");
    renamed.Name(name);
    if (std::string(name) == "Second") {
      renamed.Name("Name");
      renamed.String("First");
    }
    renamed.End();
    renamed.End();
  }
  renamed.End();
  TTestForm clash(nullptr);
  EXPECT_THROW(FormReader(renamed.Bytes()).ReadRootComponent(clash), EReadError);
  EXPECT_EQ(clash.ComponentCount(), 0);

  TTestForm empty(nullptr);
  std::vector<uint8_t> bytes = FormWriter::WriteComponent(empty);
  bytes.push_back(0);
  EXPECT_THROW(FormReader(bytes).ReadRootComponent(empty), EReadError);
}

TEST_F(FormStream, EveryTruncationIsAReadError) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = FormWriter::WriteComponent(*original);
  for (size_t size = 0; size < bytes.size(); ++size) {
    TTestForm form(nullptr);
    EXPECT_THROW(FormReader(Truncated(bytes, size)).ReadRootComponent(form), EReadError) << size;
    EXPECT_EQ(form.ComponentCount(), 0) << size;
  }
}

TEST_F(FormStream, CorruptBytesNeverCrash) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = FormWriter::WriteComponent(*original);
  for (size_t at = 4; at < bytes.size(); ++at) {
    for (uint8_t flip : {0x01, 0x80, 0xff}) {
      std::vector<uint8_t> corrupt = bytes;
      corrupt[at] ^= flip;
      TTestForm form(nullptr);
      try {
        FormReader(corrupt).ReadRootComponent(form);
      } catch (const EReadError&) {
      }
    }
  }
}

TEST_F(FormStream, DeepNestingIsRefused) {
  FormEncoder stream;
  stream.Name("TTestForm");
  stream.Name("");
  stream.End();
  const int depth = kMaxFormDepth + 2;
  for (int i = 0; i < depth; ++i) {
    stream.Name("TTestPanel");
    stream.Name("P" + std::to_string(i));
    stream.End();
  }
  for (int i = 0; i <= depth; ++i) stream.End();
  TTestForm form(nullptr);
  EXPECT_THROW(FormReader(stream.Bytes()).ReadRootComponent(form), EReadError);
}
