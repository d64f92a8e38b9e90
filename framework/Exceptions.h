#pragma once
// The one exception hierarchy of the program. Every failure is raised as an Exception carrying
// the text the user sees; the subclasses tell the layer it came from so that a caller can catch
// one kind (the connection test catches EDatabaseError only).
#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  // codePage: the code set the message is written in; the system's (kSystemCodePage, 0) for the
  // layers' texts with their values, Big5 for the dialog's own Chinese messages.
  explicit Exception(std::string message, unsigned codePage = 0);
  const std::string& Message() const { return message_; }
  unsigned CodePage() const { return codePage_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
  unsigned codePage_;
};

class ERegistryException : public Exception {
  using Exception::Exception;
};
class EFileError : public Exception {
  using Exception::Exception;
};
class EProfileError : public Exception {
  using Exception::Exception;
};
class EConvertError : public Exception {
  using Exception::Exception;
};
class EDatabaseError : public Exception {
  using Exception::Exception;
};
class EReadError : public Exception {
  using Exception::Exception;
};

// The text an error shows: an Exception's message, a standard exception's what(), "Unknown
// error" for anything else; empty for no error.
std::string ErrorMessage(std::exception_ptr error);

// The pattern with its one "%s" replaced by value. Only the first "%s" is a placeholder, and the
// value is inserted as it is (a "%s" inside the value is not expanded again).
std::string FormatErrorText(const char* pattern, const std::string& value);

// Message texts of the layers, each with one "%s" for the name or value concerned.
extern const char* const SFailedToSetData;         // registry write
extern const char* const SInvalidDataType;         // registry read of a non-string value
extern const char* const SUnableToWrite;           // profile file write
extern const char* const SCannotCreateFile;        // file creation
extern const char* const SCannotOpenFile;          // file open
extern const char* const SInvalidDateTime;         // date parsing
extern const char* const SInvalidPropertyElement;  // enumeration identifier not of the type
