#pragma once
// TBinStream: one whole file carried inside the program's stored form. Setting FileName outside
// of reading a form imports the file (bytes, length, last-write time); the stored form keeps the
// bytes as its "Data" byte block, and the installation run writes them back with SaveToFile and
// stamps the written file from FileDate. With Compress on the bytes are held as a ZIP-LZRW1
// container (components/ZipLzImp.h).
#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "framework/MemoryStream.h"

class TBinStream : public TComponent {
  LINTORA_PUBLISHED(TBinStream)
 public:
  explicit TBinStream(TComponent* owner);

  const std::string& FileDate() const { return fileDate_; }
  void SetFileDate(const std::string& date) { fileDate_ = date; }

  // A different text is stored and, unless a stored form is being read, imported.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name);

  // Length of the plain bytes of the imported file, compressed or not.
  int32_t Size() const { return size_; }
  void SetSize(int32_t size) { size_ = size; }

  // Always the length of the bytes held; a stored value is kept but never read back.
  int32_t SizeOfBin() const { return static_cast<int32_t>(data_.Size()); }
  void SetSizeOfBin(int32_t size) { storedSizeOfBin_ = size; }

  // Converts the bytes held between the plain and the container form. A container that does
  // not decode raises EZipSourceError and leaves bytes and flag as they were.
  bool Compress() const { return compress_; }
  void SetCompress(bool compress);

  // Empties the component, then imports the file (nothing for an empty name). Raises EFileError
  // "Cannot open file %s"; the component is then empty.
  void LoadFromFile(const std::string& name);
  // Writes the bytes exactly as held (a container with Compress on). Raises EFileError "Cannot
  // create file %s". The file's time stamp is the caller's business.
  void SaveToFile(const std::string& path) const;
  // Writes the plain bytes of the file: a container is decoded first (raising EZipSourceError
  // before anything is created when it does not decode), so what lands on disk is always the
  // file itself. Same file errors as SaveToFile.
  void SavePlainToFile(const std::string& path);

  // The "Data" byte block: reading writes the block at the data's position, writing appends the
  // whole data to the stream.
  void ReadData(TMemoryStream& stream);
  void WriteData(TMemoryStream& stream) const;
  // The stored form's reader of "Data": a component still empty takes the reader's block as its
  // data instead of copying it, so that a driver file read from the program's resources is held
  // once; otherwise as ReadData.
  void ReadStoredData(TMemoryStream& block);
  const TMemoryStream& Data() const { return data_; }

 private:
  // Codes data from its start into `into` (packing or unpacking); data's position stays.
  void CodeData(bool compress, TMemoryStream& into);

  std::string fileDate_;
  std::string fileName_;
  TMemoryStream data_;
  int32_t size_ = 0;
  int32_t storedSizeOfBin_ = 0;
  bool compress_ = false;
};

// Makes TBinStream known to the form reader; call once before a form naming it is read.
void RegisterBinStreamClass();
