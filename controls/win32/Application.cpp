#include "controls/win32/Application.h"

#include <exception>

#include "framework/Exceptions.h"
#include "framework/win32/FileNames.h"
#include "framework/win32/LocaleCompare.h"
#include "framework/win32/LocaleFormatSettings.h"
#include "framework/win32/SystemPaths.h"
#include "framework/win32/WideText.h"

namespace {
TApplication theApplication;
}  // namespace

TApplication* Application = &theApplication;

void TApplication::Initialize() {
  UseLocaleCompare();
  LoadLocaleFormatSettings();
}

std::string TApplication::Title() const {
  if (!title_.empty()) return title_;
  return ChangeFileExt(ExtractFileName(ProgramFilePath()), "");
}

unsigned TApplication::TitleCodePage() const {
  return title_.empty() ? kSystemCodePage : titleCodePage_;
}

void TApplication::HandleException(TComponent* sender) noexcept {
  const std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const Exception& error) {
    Report(sender, error);
  } catch (const std::exception& error) {
    Report(sender, Exception(error.what()));
  } catch (...) {
    Report(sender, Exception("Unknown error"));
  }
}

void TApplication::Report(TComponent* sender, const Exception& error) noexcept {
  try {
    if (OnException) {
      OnException(sender, error);
    } else {
      ShowException(error);
    }
  } catch (const std::exception& handlerError) {
    // The handler's own box could not be shown: the system's box still tells both.
    try {
      ShowException(
          Exception(error.Message() + "\r\n\r\n" + handlerError.what(), error.CodePage()));
    } catch (...) {
    }
  } catch (...) {
  }
}

void TApplication::ShowException(const Exception& error) const {
  MessageBoxW(nullptr, WideFromCodePage(error.Message(), error.CodePage()).c_str(),
              WideFromCodePage(Title(), TitleCodePage()).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::Dispatch(MSG& message) {
  bool handled = false;
  if (OnMessage) OnMessage(message, handled);
  if (!handled) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool TApplication::ProcessMessage() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    Dispatch(message);
  } catch (...) {
    HandleException(nullptr);
  }
  return true;
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  if (!ProcessMessage()) WaitMessage();
}

void TApplication::Run() {
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}
