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
#include "framework/win32/AtomicFile.h"
#include "framework/win32/FileHandle.h"

namespace {
// The file's place in the system directory; a name that is not a plain file name stops the run.
std::string DriverFilePath(const std::string& systemDirectory, const TBinStream& component) {
  const std::string name = DriverFileName(component.FileName());
  if (!IsPlainFileName(name)) throw EFileError(NotAPlainFileNameMessage(name));
  return systemDirectory + name;
}

// The file appears under its name only whole, flushed and stamped: a crash, a full disk or an
// error part-way leaves at most the temporary file, never a truncated driver that later runs
// would keep because an existing file is never replaced.
void WriteNewDriverFile(TBinStream& component, const std::string& path) {
  const std::string temporary = TemporaryFileFor(path);
  try {
    component.SavePlainToFile(temporary);
    SetFileDate(temporary, DosDateTime(ParseFileDate(component.FileDate())));
    if (!PlaceTemporaryFile(path)) {
      throw EFileError(FormatErrorText(SCannotCreateFile, path));
    }
  } catch (...) {
    RemoveFile(temporary);
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

void CheckDriverFileNames(const std::vector<TBinStream*>& files) {
  for (const TBinStream* component : files) DriverFilePath(std::string(), *component);
}

void WriteDriverFiles(const std::vector<TBinStream*>& files, const std::string& systemDirectory) {
  CheckDriverFileNames(files);  // all of them, so that a bad name leaves no file written
  for (TBinStream* component : files) WriteDriverFile(*component, systemDirectory);
}

bool WriteDriverFile(TBinStream& file, const std::string& systemDirectory) {
  const std::string path = DriverFilePath(systemDirectory, file);
  if (FileExists(path)) return false;
  WriteNewDriverFile(file, path);
  return true;
}

std::vector<TBinStream*> TLintoraForm::DriverFiles() const {
  return {BinStream1, BinStream2, BinStream3, BinStream4};
}

void TLintoraForm::WriteDriverFiles() {
  ::WriteDriverFiles(DriverFiles(), SysDir());
}
