#include "i18n/TableFolder.h"

#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FileBytes.h"

namespace {

class TableFile : public TableResource {
 public:
  explicit TableFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  ConversionTable Table() const override { return {bytes_.data(), bytes_.size()}; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::string BuildTablesFolder(const std::string& programPath) {
  std::string folder = programPath;
  for (int up = 0; up < 2; ++up) {
    const size_t slash = folder.find_last_of("/\\");
    folder = slash == std::string::npos ? "." : folder.substr(0, slash);
  }
  return folder + "/tables";
}

TableFolderPlatform::TableFolderPlatform(std::string folder, uint16_t langID)
    : folder_(std::move(folder)), langID_(langID) {}

std::unique_ptr<TableResource> TableFolderPlatform::LoadTable(const std::string& name) {
  try {
    return std::make_unique<TableFile>(ReadFileBytes(folder_ + "/" + name));
  } catch (const EFileError&) {
    return nullptr;
  }
}
