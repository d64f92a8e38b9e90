#pragma once
// Stands for the themed look of the controls, which the application manifest requests; it has
// no behaviour beyond its two checks when it is made.
#include "framework/Component.h"

class TWinXP : public TComponent {
  LINTORA_PUBLISHED(TWinXP)
 public:
  // Raises Exception "Control parent must be a form!" when owner is not a form, and
  // "Only one instance of TWinXP allowed on form" when owner already has one.
  explicit TWinXP(TComponent* owner);
};
