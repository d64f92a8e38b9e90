#pragma once
// Fills the process-wide format settings from the user's regional settings.
void LoadLocaleFormatSettings();
