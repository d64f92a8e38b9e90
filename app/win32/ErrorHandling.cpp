#include "app/win32/ErrorHandling.h"

#include "controls/win32/MessageBox.h"
#include "framework/Exceptions.h"

std::string ErrorBoxText(const std::string& message) {
  return "\r\n" + std::string(15, ' ') + message + std::string(13, ' ') + "\r\n";
}

void ApplicationException(TComponent*, const Exception& error) {
  MessageDlg(ErrorBoxText(error.Message()), mtCustom, mbOKOnly, error.CodePage());
}
