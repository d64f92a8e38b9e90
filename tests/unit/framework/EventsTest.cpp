// Events: the handler's name as the stored form holds it, and the handler bound to it.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Component.h"
#include "framework/Exceptions.h"

namespace {
class TClickable : public TComponent {
  LINTORA_PUBLISHED(TClickable)
 public:
  using TComponent::TComponent;
  TNotifyEvent OnClick;
};
}  // namespace

const TClassInfo& TClickable::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TClickable>("TClickable", TComponent::StaticClassInfo())
          .Event("OnClick", &TClickable::OnClick);
  return info;
}

TEST(NotifyEvent, RunsItsBoundHandlerAndRefusesANameNeverBound) {
  TClickable button(nullptr);
  std::vector<TComponent*> senders;
  EXPECT_FALSE(button.OnClick.Assigned());
  EXPECT_NO_THROW(button.OnClick.Fire(&button));  // an empty event does nothing

  button.OnClick.SetName("ButtonClick");
  EXPECT_TRUE(button.OnClick.Assigned());
  try {
    button.OnClick.Fire(&button);
    FAIL() << "an unbound name ran";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Handler ButtonClick not found");
  }

  button.OnClick.Bind([&senders](TComponent* sender) { senders.push_back(sender); });
  button.OnClick.Fire(&button);
  EXPECT_EQ(senders, std::vector<TComponent*>{&button});

  button.OnClick.SetName("OtherClick");  // a new name needs binding again
  EXPECT_THROW(button.OnClick.Fire(&button), Exception);
  EXPECT_EQ(senders.size(), 1u);
}

TEST(NotifyEvent, PublishedEventIsItsHandlersNameAndReachesTheEvent) {
  TClickable button(nullptr);
  const TPropInfo* prop = GetPropInfo(button, "onclick");
  ASSERT_NE(prop, nullptr);
  EXPECT_EQ(prop->Kind, tkMethod);
  EXPECT_EQ(prop->TypeName, "TNotifyEvent");
  EXPECT_FALSE(IsStoredProp(button, *prop));

  prop->SetStr(button, "ButtonClick");
  EXPECT_EQ(button.OnClick.Name(), "ButtonClick");
  EXPECT_EQ(prop->GetStr(button), "ButtonClick");
  EXPECT_TRUE(IsStoredProp(button, *prop));
  ASSERT_TRUE(prop->GetEvent);
  EXPECT_EQ(prop->GetEvent(button), &button.OnClick);
}
