#pragma once
// The program's own message box: Big5 captions and buttons, the "SYSTEM" font, sized to its text,
// centred on the screen, modal to the thread's other windows. Every text is shown from its own
// code set (the text's is the caller's to say), whatever the system's code page. A real window of
// the class "TMessageForm" whose child windows are the icon, the text and the buttons (button
// control identifiers are the answers: IDYES, IDNO, IDOK ...).
#include <string>

#include "controls/MessageBoxLayout.h"
#include "framework/CodePages.h"

extern const char* const MessageFormClassName;  // "TMessageForm"

// Shows the box and waits for the answer. The caption follows the kind; the custom kind has no
// icon and the application title as its caption. Enter presses the default button, Escape and
// the close box the cancel button (MessageBoxLayout.h names both).
TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                        unsigned textCodePage = kBig5CodePage);
// The same with a caption of the caller's.
TModalResult MessageDlgCaptioned(const std::string& text, const std::string& caption,
                                 TMsgDlgType kind, TMsgDlgButtons buttons,
                                 unsigned textCodePage = kBig5CodePage,
                                 unsigned captionCodePage = kBig5CodePage);
