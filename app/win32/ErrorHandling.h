#pragma once
// The dialog's handler for every error that no action caught.
#include <string>

class Exception;
class TComponent;

// The text the error box shows: a line break, 15 spaces, the message, 13 spaces, a line break,
// so that a short message stands alone on the box's second line.
std::string ErrorBoxText(const std::string& message);

// Shows the error in the program's own message box of the custom kind (the application title as
// caption, no icon, one "確認" button) and returns when it is closed; the dialog stays as it was.
void ApplicationException(TComponent* sender, const Exception& error);
