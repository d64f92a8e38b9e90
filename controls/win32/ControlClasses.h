#pragma once
// Makes every control class known to the class registry, so that a stored form can name them:
// TForm, TNotebook, TPage, TPanel, TLabel, TButton, TSpeedButton, TCheckBox, TComboBox, TEdit,
// TMemo, TImage, TWinXP. Call once at program start, before a form is read.
void RegisterControlClasses();
