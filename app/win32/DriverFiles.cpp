// WriteDriverFiles: the four embedded driver files, each written into the system directory
// unless a file of its name is already there, and stamped with its stored FileDate.
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
const int kDriverFileCount = 4;

TBinStream& DriverFileComponent(TLintoraForm& form, int number) {
  const std::string name = "BinStream" + std::to_string(number);
  auto* component = dynamic_cast<TBinStream*>(form.FindComponent(name));
  if (!component) throw EReadError("Component " + name + " not found");
  return *component;
}

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

void TLintoraForm::WriteDriverFiles() {
  const std::string systemDirectory = SysDir();
  for (int number = 1; number <= kDriverFileCount; ++number) {
    TBinStream& component = DriverFileComponent(*this, number);
    const std::string path = systemDirectory + DriverFileName(component.FileName());
    if (FileExists(path)) continue;
    WriteNewDriverFile(component, path);
    SetFileDate(path, DosDateTime(ParseFileDate(component.FileDate())));
  }
}
