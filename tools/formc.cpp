// formc: compiles a text form description (UTF-8) into the stored form stream embedded in the
// program. Strings become code page 950 (Big5) text; `Data = file '...'` paths are relative to
// the description's folder.
//
//   formc IN.txt OUT.bin [DEPFILE [HEADER]]
//
// With DEPFILE it also writes a make-style dependency list (the description and every file it
// names) so that the build recompiles the form when any of them changes. With HEADER it writes
// the C++ list of the root's named components with their classes,
// FORM_COMPONENTS(X) = X(TClass, Name) ..., from which the form's class makes and binds its
// members: a component renamed or retyped in the description no longer builds where the code
// uses it, instead of failing when the program reads its form.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/FormText.h"

namespace {
namespace fs = std::filesystem;

class Utf8ToBig5 {
 public:
  Utf8ToBig5() : handle_(iconv_open("CP950", "UTF-8")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) throw Exception("iconv cannot convert to CP950");
  }
  ~Utf8ToBig5() { iconv_close(handle_); }
  Utf8ToBig5(const Utf8ToBig5&) = delete;
  Utf8ToBig5& operator=(const Utf8ToBig5&) = delete;

  // Big5 never takes more bytes than UTF-8 for the same text.
  std::string operator()(const std::string& utf8) const {
    std::string big5(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = big5.data();
    size_t outLeft = big5.size();
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
      throw Exception("Cannot convert '" + utf8 + "' to Big5 (" +
                      (errno == EILSEQ ? "no such character" : "invalid UTF-8") + ")");
    }
    big5.resize(big5.size() - outLeft);
    return big5;
  }

 private:
  iconv_t handle_;
};

std::string DepfileEscaped(const std::string& path) {
  std::string escaped;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') escaped += '\\';
    if (c == '$') escaped += '$';
    escaped += c;
  }
  return escaped;
}

void WriteText(const std::string& path, const std::string& text) {
  WriteFileBytes(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// Written under a temporary name first, so a failed run never leaves a half output behind.
void WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temporary = path + ".tmp";
  WriteFileBytes(temporary, bytes.data(), bytes.size());
  fs::rename(temporary, path);
}

std::string ComponentListHeader(
    const std::string& input, const std::vector<std::pair<std::string, std::string>>& components) {
  std::string text = "// Made by formc from " + fs::path(input).filename().string() +
                     ": the form's named components and their classes.\n#pragma once\n" +
                     "#define FORM_COMPONENTS(X)";
  for (const auto& [name, className] : components) {
    text += " \\\n  X(" + className + ", " + name + ")";
  }
  return text + "\n";
}

// Written only when its text changes, so that the code including it is not rebuilt for nothing.
void WriteHeader(const std::string& path, const std::string& text) {
  if (fs::exists(path)) {
    const std::vector<uint8_t> old = ReadFileBytes(path);
    if (std::string(old.begin(), old.end()) == text) return;
  }
  WriteText(path, text);
}

int Compile(const std::string& input, const std::string& output, const std::string& depfile,
            const std::string& header) {
  const std::vector<uint8_t> bytes = ReadFileBytes(input);
  const fs::path folder = fs::absolute(input).parent_path();
  std::vector<std::string> dependencies{fs::absolute(input).string()};
  const Utf8ToBig5 toBig5;

  FormTextEnvironment env;
  env.ConvertText = [&toBig5](const std::string& utf8) { return toBig5(utf8); };
  env.ReadFile = [&](const std::string& path) {
    const std::string resolved = (folder / fs::u8path(path)).lexically_normal().string();
    dependencies.push_back(resolved);
    return ReadFileBytes(resolved);
  };
  std::vector<std::pair<std::string, std::string>> components;
  env.OnObject = [&components](int depth, const std::string& name, const std::string& className) {
    if (depth > 0 && !name.empty()) components.emplace_back(name, className);
  };
  try {
    WriteOutput(output, CompileFormText(std::string(bytes.begin(), bytes.end()), env));
  } catch (const EFormTextError& e) {
    std::fprintf(stderr, "%s:%d: %s\n", input.c_str(), e.Line(), e.Detail().c_str());
    return 1;
  }
  if (!depfile.empty()) {
    std::string rule = DepfileEscaped(output) + ":";
    for (const std::string& dependency : dependencies) rule += " " + DepfileEscaped(dependency);
    WriteText(depfile, rule + "\n");
  }
  if (!header.empty()) WriteHeader(header, ComponentListHeader(input, components));
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr, "usage: formc IN.txt OUT.bin [DEPFILE [HEADER]]\n");
    return 2;
  }
  try {
    return Compile(argv[1], argv[2], argc >= 4 ? argv[3] : "", argc == 5 ? argv[4] : "");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "formc: %s\n", e.what());
    return 1;
  }
}
