#pragma once
// The text form description, as people write it, compiled into the stored form format
// (framework/FormStream.h). The text is UTF-8 and looks like this:
//
//   object SetupForm: TSetupForm            // an object: name (optional) and class
//     Caption = '安裝MySQL連結'               // string: quotes doubled inside, #13#10 or #$0D
//     Hint = 'first line'#13#10 +            //   code points, pieces joined directly or by +
//       'second line'
//     Left = 192                             // integer (decimal, or hex as $00D24400)
//     Ratio = 0.25                           // float
//     Visible = False                        // Boolean: True or False
//     Align = alClient                       // identifier (enumeration value, event handler)
//     Anchors = [akLeft, akTop]              // set
//     Font.Charset = 136                     // property of a sub-object
//     Lines = ( 'S_Link=連結' 'S_Fail=失敗' )  // string list ("Lines.Strings = (...)" as well)
//     Data = file 'drivers/Myodbc.dll'       // byte block: a file's bytes, relative to the text
//     Picture.Data = { 0A1B 2C }             // byte block in hex digits
//     object Panel1: TPanel                  // children after the properties
//     end
//   end
//
// Strings are converted from UTF-8 by the given text converter (Big5 for the product); names,
// identifiers and file paths are taken as they are. Comments run from "//" to the end of the line.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Exceptions.h"

// A fault in the description, with the line it was found on (counted from 1).
class EFormTextError : public Exception {
 public:
  EFormTextError(int line, const std::string& message);
  int Line() const { return line_; }
  const std::string& Detail() const { return detail_; }  // the message without the line

 private:
  int line_;
  std::string detail_;
};

struct FormTextEnvironment {
  // UTF-8 text to the stored form's 8-bit text; raises Exception for a text it cannot convert.
  std::function<std::string(const std::string& utf8)> ConvertText;
  // The bytes of a file named by `Data = file '...'`, the path as written in the description.
  std::function<std::vector<uint8_t>(const std::string& path)> ReadFile;
  // Told of every object as it is read, the root at depth 0 (an unnamed object: name empty).
  std::function<void(int depth, const std::string& name, const std::string& className)> OnObject;
};

// Raises EFormTextError ("Line N: ...") for anything it cannot compile, including the
// environment's failures on that line.
std::vector<uint8_t> CompileFormText(const std::string& text, const FormTextEnvironment& env);
