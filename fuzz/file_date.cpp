// FileDate texts on any bytes: a text is either read or refused with EConvertError, never
// anything else; a date that is read is a real one, and it formats and reads back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/FileDate.h"
#include "framework/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FileStamp stamp;
  try {
    stamp = ParseFileDate(text);
  } catch (const EConvertError&) {
    return 0;
  }
  if (stamp.Month < 1 || stamp.Month > 12 || stamp.Day < 1 || stamp.Day > 31 || stamp.Hour < 0 ||
      stamp.Hour > 23 || stamp.Minute < 0 || stamp.Minute > 59 || stamp.Second < 0 ||
      stamp.Second > 59) {
    std::abort();
  }
  const uint32_t dos = DosDateTime(stamp);
  if ((stamp.Year < 1980 || stamp.Year > 2099) != (dos == 0)) std::abort();
  if (stamp.Year >= 1 && stamp.Year <= 9999) {
    stamp.Second -= stamp.Second % 2;
    const FileStamp again = ParseFileDate(FormatFileDate(stamp, "/", ":"));
    if (again.Year != stamp.Year || again.Month != stamp.Month || again.Day != stamp.Day ||
        again.Hour != stamp.Hour || again.Minute != stamp.Minute || again.Second != stamp.Second) {
      std::abort();
    }
  }
  return 0;
}
