#include "components/BinStream.h"

#include <limits>
#include <utility>

#include "components/FileDate.h"
#include "components/ZipLzImp.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"

const TClassInfo& TBinStream::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TBinStream>("TBinStream", TComponent::StaticClassInfo())
          .String("FileDate", &TBinStream::FileDate, &TBinStream::SetFileDate)
          .String("FileName", &TBinStream::FileName, &TBinStream::SetFileName)
          .Integer("Size", &TBinStream::Size, &TBinStream::SetSize)
          .Integer("SizeOfBin", &TBinStream::SizeOfBin, &TBinStream::SetSizeOfBin)
          .Boolean("Compress", &TBinStream::Compress, &TBinStream::SetCompress)
          .Default(false)
          .Binary("Data", &TBinStream::ReadStoredData, &TBinStream::WriteData,
                  [](const TBinStream& bin) { return bin.data_.Size() > 0; });
  return info;
}

TBinStream::TBinStream(TComponent* owner) : TComponent(owner) {}

void TBinStream::SetFileName(const std::string& name) {
  if (name == fileName_) return;
  fileName_ = name;
  // A stored form brings its own bytes; reading it never touches the file system.
  if (!IsReading() && !IsLoading()) LoadFromFile(name);
}

void TBinStream::LoadFromFile(const std::string& name) {
  data_.Clear();
  size_ = 0;
  fileDate_.clear();
  if (name.empty()) return;
  // Time stamp and bytes are both read before anything is kept, so that a failure in either
  // leaves the component empty rather than with a date and no bytes.
  std::string date = ReadFileDate(name);
  TMemoryStream plain;
  plain.LoadFromFile(name);
  if (plain.Size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw EFileError(FormatErrorText(SCannotOpenFile, name));
  }
  if (compress_) {
    CompressStream(plain, data_);
  } else {
    data_.CopyFrom(plain);
  }
  fileDate_ = std::move(date);
  size_ = static_cast<int32_t>(plain.Size());
  storedSizeOfBin_ = SizeOfBin();
}

void TBinStream::SaveToFile(const std::string& path) const {
  data_.SaveToFile(path);
}

void TBinStream::SavePlainToFile(const std::string& path) {
  if (!compress_) {
    SaveToFile(path);
    return;
  }
  TMemoryStream plain;
  CodeData(false, plain);
  plain.SaveToFile(path);
}

void TBinStream::SetCompress(bool compress) {
  if (compress == compress_) return;
  if (data_.Size() > 0) {
    TMemoryStream converted;
    CodeData(compress, converted);
    data_.Clear();
    data_.CopyFrom(converted);
  }
  compress_ = compress;
}

void TBinStream::CodeData(bool compress, TMemoryStream& into) {
  const size_t position = data_.Position();
  data_.Seek(0);
  try {
    if (compress) {
      CompressStream(data_, into);
    } else {
      DecompressStream(data_, into);
    }
  } catch (...) {
    data_.Seek(position);
    throw;
  }
  data_.Seek(position);
}

void TBinStream::ReadData(TMemoryStream& stream) {
  data_.CopyFrom(stream);
}

void TBinStream::ReadStoredData(TMemoryStream& block) {
  if (data_.Size() > 0 || data_.Position() > 0) {
    ReadData(block);
    return;
  }
  data_.Swap(block);
  data_.Seek(data_.Size());  // where ReadData would have left it
}

void TBinStream::WriteData(TMemoryStream& stream) const {
  stream.CopyFrom(data_);
}

void RegisterBinStreamClass() {
  RegisterComponentClass<TBinStream>();
}
