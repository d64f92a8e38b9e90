#include <gtest/gtest.h>

#include "TestComponents.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"

namespace {
// Records its destruction so that the owner's order of destroying can be checked.
class TTracked : public TComponent {
 public:
  TTracked(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), log_(log) {}
  ~TTracked() override { log_.push_back(Name()); }

 private:
  std::vector<std::string>& log_;
};
}  // namespace

TEST(Component, OwnerKeepsCreationOrderAndFindsByNameIgnoringCase) {
  TComponent form(nullptr);
  TComponent* first = new TComponent(&form);
  first->SetName("BinStream1");
  TComponent* second = new TTestItem(&form);
  second->SetName("Label1");
  new TComponent(&form);  // unnamed

  ASSERT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(form.Components(0), first);
  EXPECT_EQ(form.Components(1), second);
  EXPECT_EQ(second->Owner(), &form);
  EXPECT_EQ(form.FindComponent("binstream1"), first);
  EXPECT_EQ(form.FindComponent("LABEL1"), second);
  EXPECT_EQ(form.FindComponent("BinStream"), nullptr);
  EXPECT_EQ(form.FindComponent(""), nullptr);  // an unnamed component is not found by ""
  EXPECT_THROW(form.Components(3), Exception);
}

TEST(Component, NamesAreUniqueWithinTheOwner) {
  TComponent form(nullptr);
  TComponent* a = new TComponent(&form);
  a->SetName("Edit3");
  TComponent* b = new TComponent(&form);
  EXPECT_THROW(b->SetName("EDIT3"), Exception);
  EXPECT_EQ(b->Name(), "");
  a->SetName("edit3");  // renaming itself in another case is fine
  EXPECT_EQ(form.FindComponent("EDIT3"), a);

  TComponent other(nullptr);
  TComponent* c = new TComponent(&other);
  c->SetName("Edit3");
  EXPECT_THROW(form.InsertComponent(c), Exception);
  EXPECT_EQ(c->Owner(), &other);
}

TEST(Component, OwnerDestroysOwnedLastFirstAndChildLeavesOwnerWhenDestroyed) {
  std::vector<std::string> log;
  {
    TComponent form(nullptr);
    for (const char* name : {"A", "B", "C"}) (new TTracked(&form, log))->SetName(name);
    delete form.FindComponent("B");
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(1)->Name(), "C");
  }
  EXPECT_EQ(log, (std::vector<std::string>{"B", "C", "A"}));
}

TEST(Component, MovingToAnotherOwner) {
  TComponent first(nullptr), second(nullptr);
  TComponent* item = new TComponent(&first);
  second.InsertComponent(item);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(item->Owner(), &second);
  second.RemoveComponent(item);
  EXPECT_EQ(item->Owner(), nullptr);
  delete item;
}

TEST(Component, ClassNameAndInheritance) {
  TComponent owner(nullptr);
  TTestPanel* panel = new TTestPanel(&owner);
  EXPECT_STREQ(panel->ClassName(), "TTestPanel");
  EXPECT_STREQ(owner.ClassName(), "TComponent");
  EXPECT_TRUE(panel->InheritsFrom("TTestItem"));
  EXPECT_TRUE(panel->InheritsFrom("ttestpanel"));
  EXPECT_TRUE(panel->InheritsFrom("TComponent"));
  EXPECT_FALSE(panel->InheritsFrom("TTestForm"));
  EXPECT_FALSE(owner.InheritsFrom("TTestItem"));
}

TEST(Component, LoadedEndsTheLoadingState) {
  TTestItem item(nullptr);
  item.IncludeState(csLoading);
  item.IncludeState(csReading);
  EXPECT_TRUE(item.IsLoading());
  item.ExcludeState(csReading);
  item.Loaded();
  EXPECT_EQ(item.ComponentState(), 0u);
  EXPECT_EQ(item.events, (std::vector<std::string>{"Loaded"}));
}

TEST(ClassRegistry, CreatesRegisteredClassesByNameIgnoringCase) {
  RegisterTestClasses();
  TComponent owner(nullptr);
  TComponent* made = CreateComponentOfClass("ttestpanel", &owner);
  EXPECT_STREQ(made->ClassName(), "TTestPanel");
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_TRUE(IsComponentClassRegistered("TTestItem"));
  EXPECT_FALSE(IsComponentClassRegistered("TNoSuchClass"));
  try {
    CreateComponentOfClass("TNoSuchClass", &owner);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
  }
  EXPECT_EQ(owner.ComponentCount(), 1);
}
