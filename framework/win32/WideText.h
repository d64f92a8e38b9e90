#pragma once
// The dialog's own texts are Big5 or GB2312 bytes whatever the system's code page, so they are
// shown through the wide window functions, turned into UTF-16 from their own code set here.
// A text in the system's code page (kSystemCodePage) takes the same way the "A" functions take.
#include <windows.h>

#include <string>

std::wstring WideFromCodePage(const std::string& text, unsigned codePage);
std::string CodePageFromWide(const std::wstring& text, unsigned codePage);
// The text written in another code set; unchanged, byte for byte, when both are the same.
std::string TextInCodePage(const std::string& text, unsigned from, unsigned to);

// The window's text in the code set given (the whole text, however long).
std::string WindowTextIn(HWND window, unsigned codePage);
// A text in the system's code page goes through SetWindowTextA, exactly as the value always did;
// any other through SetWindowTextW.
void SetWindowTextIn(HWND window, const std::string& text, unsigned codePage);
