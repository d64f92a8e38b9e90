#include "app/win32/DriverFiles.h"

#include <string>

#include "app/InstallationSteps.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SystemPrograms.h"
#include "components/BinStream.h"
#include "components/FileDate.h"
#include "framework/Exceptions.h"
#include "framework/win32/FileHandle.h"

namespace {
// A write that fails part-way must not leave a truncated driver behind: the next run leaves an
// existing file alone and would never repair it.
void WriteNewDriverFile(TBinStream& component, const std::string& path) {
  try {
    component.SavePlainToFile(path);
  } catch (...) {
    RemoveFile(path);
    throw;
  }
}
}  // namespace

void SetFileDate(const std::string& path, uint32_t dosDateTime) {
  FileHandle file = FileHandle::OpenExclusive(path);
  if (!file.IsOpen()) throw EFileError(FormatErrorText(SCannotOpenFile, path));
  FILETIME utc;
  if (LocalDosDateTimeToFileTime(dosDateTime, utc)) file.SetLastWriteTime(utc);
}

void WriteDriverFiles(const std::vector<TBinStream*>& files, const std::string& systemDirectory) {
  for (TBinStream* component : files) {
    const std::string path = systemDirectory + DriverFileName(component->FileName());
    if (FileExists(path)) continue;
    WriteNewDriverFile(*component, path);
    SetFileDate(path, DosDateTime(ParseFileDate(component->FileDate())));
  }
}

std::vector<TBinStream*> TLintoraForm::DriverFiles() const {
  return {BinStream1, BinStream2, BinStream3, BinStream4};
}

void TLintoraForm::WriteDriverFiles() {
  ::WriteDriverFiles(DriverFiles(), SysDir());
}
