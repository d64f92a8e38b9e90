// A whole language file's form section on any bytes, imported line by line into a form that
// carries an embedded file and a message table, as the dialog does: a line either applies or is
// skipped (an enumeration value the property does not know raises the program's own error), and
// nothing a line says ever reaches the embedded file's component name, file name, bytes, date or
// packing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/BinStream.h"
#include "components/Memos.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "i18n/LanguageFileText.h"

namespace {
struct Form {
  TComponent form{nullptr};
  TBinStream* bin = new TBinStream(&form);
  TMemos* memos = new TMemos(&form);
  Form() {
    form.SetName("LintoraForm1");
    bin->SetName("BinStream1");
    memos->SetName("Memos1");
    bin->IncludeState(csLoading);
    bin->SetFileName("C:\\Drivers\\Myodbc.dll");
    bin->ExcludeState(csLoading);
    bin->SetFileDate("2000/10/23 11:07:26 ");
  }
};

bool Untouched(const TBinStream& bin) {
  return bin.Name() == "BinStream1" && bin.FileName() == "C:\\Drivers\\Myodbc.dll" &&
         bin.FileDate() == "2000/10/23 11:07:26 " && bin.SizeOfBin() == 0 && bin.Size() == 0 &&
         !bin.Compress();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Form form;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      ImportLanguageLine(form.form, line);
    } catch (const Exception&) {
      // The program's own error for a value the property cannot take.
    }
    start = end + 1;
  }
  if (!Untouched(*form.bin)) std::abort();
  return 0;
}
