#include "app/win32/RunLogFile.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/RunLog.h"
#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/win32/AtomicFile.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/SystemError.h"

namespace {

// Within the bound the block is only added at the end: no earlier run is read or rewritten.
std::string AppendWithinBound(const std::string& path, const std::string& block, bool& fits) {
  FileHandle file = FileHandle::Open(path, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS);
  if (!file.IsOpen()) return "cannot open " + path + ": " + SystemErrorText(GetLastError());
  const int64_t size = file.Size();
  fits = size >= 0 && static_cast<uint64_t>(size) + block.size() <= kRunLogLimit;
  if (fits && !file.Write(block.data(), block.size())) {
    return "cannot write " + path + ": " + SystemErrorText(GetLastError());
  }
  return "";
}

// Past the bound the oldest runs go: the log is rewritten whole, so that a failure leaves it as
// it was.
std::string RewriteCut(const std::string& path, const std::string& block) {
  std::string existing;
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    existing.assign(bytes.begin(), bytes.end());
  } catch (const Exception& error) {
    return error.Message();
  }
  if (!WriteFileAtomically(path, AppendedRunLog(existing, block, kRunLogLimit))) {
    return "cannot replace " + path + ": " + SystemErrorText(GetLastError());
  }
  return "";
}

}  // namespace

std::string RunLogTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
           now.wHour, now.wMinute, now.wSecond);
  return text;
}

std::string AppendRunLog(const std::string& folder, const std::string& block) {
  const std::string path = folder + kRunLogFileName;
  bool fits = false;
  std::string failure = AppendWithinBound(path, block, fits);
  if (failure.empty() && !fits) failure = RewriteCut(path, block);
  if (!failure.empty()) OutputDebugStringA(("Lintora: run log not written: " + failure).c_str());
  return failure;
}
