#include "framework/Exceptions.h"
#include <cstring>
#include <utility>

const char* const SFailedToSetData = "Failed to set data for '%s'";
const char* const SInvalidDataType = "Invalid data type for '%s'";
const char* const SUnableToWrite = "Unable to write to %s";
const char* const SCannotCreateFile = "Cannot create file %s";
const char* const SCannotOpenFile = "Cannot open file %s";
const char* const SInvalidDateTime = "'%s' is not a valid date and time";
const char* const SInvalidPropertyElement = "Invalid property element: %s";

Exception::Exception(std::string message, unsigned codePage)
    : message_(std::move(message)), codePage_(codePage) {}

std::string FormatErrorText(const char* pattern, const std::string& value) {
  std::string text(pattern);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

std::string ErrorMessage(std::exception_ptr error) {
  if (!error) return "";
  try {
    std::rethrow_exception(error);
  } catch (const Exception& raised) {
    return raised.Message();
  } catch (const std::exception& raised) {
    return raised.what();
  } catch (...) {
    return "Unknown error";
  }
}
