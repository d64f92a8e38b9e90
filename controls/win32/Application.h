#pragma once
// The application object: the program's title, its handler for errors that no action caught,
// and the message loop of the one user-interface thread.
//
// An exception must never unwind through Win32 code. Every window procedure and callback that
// runs a handler catches everything and passes it on:
//   try { handler(); } catch (...) { Application->HandleException(sender); }
#include <windows.h>

#include <functional>
#include <string>

#include "framework/CodePages.h"

class Exception;
class TComponent;

class TApplication {
 public:
  using ExceptionEvent = std::function<void(TComponent* sender, const Exception& error)>;
  // Sees every message before it is dispatched; setting handled keeps it from being dispatched.
  using MessageEvent = std::function<void(MSG& message, bool& handled)>;

  // Prepares the platform pieces the framework relies on (the locale's text order for sorted
  // string lists). Called once at program start, before any form exists.
  void Initialize();

  // The program file's name without its extension (in the system's code page) until a title is
  // set; a title is the dialog's caption, in the code set given (Big5 unless said).
  std::string Title() const;
  unsigned TitleCodePage() const;
  void SetTitle(const std::string& title, unsigned codePage = kBig5CodePage) {
    title_ = title;
    titleCodePage_ = codePage;
  }

  ExceptionEvent OnException;
  MessageEvent OnMessage;

  // To be called inside a catch block: hands the exception being handled to OnException, or
  // shows its message when no handler is set. Anything that is not an Exception is passed on as
  // one with the same text. Never throws: an error raised by the handler itself is dropped.
  void HandleException(TComponent* sender) noexcept;
  // Shows the error's message in a message box with the title as its caption.
  void ShowException(const Exception& error) const;

  // Processes messages until Terminate's quit message arrives.
  void Run();
  // Processes the messages waiting now and returns; none is waited for.
  void ProcessMessages();
  // Processes one message, waiting for one when none is waiting (for modal loops).
  void HandleMessage();
  // Ends Run: posts the quit message; Terminated() holds once it has been received.
  void Terminate();
  bool Terminated() const { return terminated_; }

 private:
  bool ProcessMessage();
  void Report(TComponent* sender, const Exception& error) noexcept;
  void Dispatch(MSG& message);

  std::string title_;
  unsigned titleCodePage_ = kBig5CodePage;
  bool terminated_ = false;
};

extern TApplication* Application;
