#pragma once
// A small form built in code the way a stored form builds it, for the control tests.
#include <memory>
#include <string>
#include <vector>

#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Forms.h"
#include "controls/win32/Label.h"
#include "controls/win32/Notebook.h"
#include "controls/win32/Panel.h"

class TTestForm : public TForm {
 public:
  TTestForm();
  void Record(TComponent* sender, const std::string& event) {
    events.push_back(sender->Name() + "." + event);
  }

  TNotebook* notebook;
  TPage* page0;
  TPage* page1;
  TPanel* panel;
  TPanel* notice;
  TLabel* label;
  TComboBox* hosts;    // sorted, tab 1
  TComboBox* sources;  // tab 0
  TComboBox* kind;     // tab 3
  TEdit* user;         // tab 2
  TEdit* password;     // tab 4, hidden
  TCheckBox* create;
  TSpeedButton* hiddenAction;
  TButton* install;
  TLabel* message;
  TMemo* memo;
  TButton* close;
  std::vector<std::string> events;
};

// Processes the messages waiting now (and those they cause) for a while.
void PumpMessages(int milliseconds = 50);
