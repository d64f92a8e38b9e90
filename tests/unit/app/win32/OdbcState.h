// What a registration changes, read back whole as another program would read it: the ODBC
// registry trees of both roots, the two profile files of the Windows directory and the engine's
// alias configuration; and real ways to make a key unusable.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/lib/win32/RawRegistry.h"

// Makes the tree exactly that (an empty tree: the top is deleted).
void WriteTree(HKEY root, const std::string& top, const RegistryTree& tree);

// The string records of a tree, name -> data per key below the top (the top left out); a value
// of another type than REG_SZ shows as "<type N>".
using Records = std::map<std::string, std::map<std::string, std::string>>;
Records StringRecords(const RegistryTree& tree);

struct FileCopy {
  bool exists = false;
  std::string bytes;
  bool operator==(const FileCopy& other) const {
    return exists == other.exists && bytes == other.bytes;
  }
};
FileCopy ReadFileCopy(const std::string& path);
void WriteFileCopy(const std::string& path, const FileCopy& copy);

// The profile file's entries in file order, as "[section] key=value" with the file's bytes.
std::vector<std::string> ProfileLines(const std::string& path);
// The same of a profile file's bytes.
std::vector<std::string> ProfileLinesOf(const std::string& bytes);

extern const char* const OdbcTree;  // "Software\\ODBC"
std::string OdbcIniPath();          // the Windows directory's ODBC.INI
std::string OdbcInstIniPath();      // and ODBCINST.INI

struct OdbcState {
  RegistryTree machine;
  RegistryTree user;
  FileCopy odbcIni;
  FileCopy odbcInstIni;
  FileCopy aliasConfig;

  static OdbcState Read();
  // Puts everything back as it was read; the engine session reads its configuration again.
  void Restore() const;
  bool operator==(const OdbcState& other) const {
    return machine == other.machine && user == other.user && odbcIni == other.odbcIni &&
           odbcInstIni == other.odbcInstIni && aliasConfig == other.aliasConfig;
  }
};

// A key that cannot be opened with full access (its DACL grants everyone read access only), as
// for an account without administrator rights; made with the values given, and deleted again
// when the object goes away.
class ReadOnlyKey {
 public:
  ReadOnlyKey(HKEY root, const std::string& path, const std::map<std::string, std::string>& values);
  ~ReadOnlyKey();
  ReadOnlyKey(const ReadOnlyKey&) = delete;
  ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

 private:
  HKEY root_;
  std::string path_;
};

// Every key of an existing tree readable only, as the machine-wide keys are for an account
// without administrator rights: none can be opened with full access, none can get a subkey.
// Full access again when the object goes away.
class ReadOnlyTree {
 public:
  ReadOnlyTree(HKEY root, const std::string& top);
  ~ReadOnlyTree();
  ReadOnlyTree(const ReadOnlyTree&) = delete;
  ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;

 private:
  HKEY root_;
  std::vector<std::string> paths_;
};

// A registry link (REG_OPTION_CREATE_LINK) in place of a key, pointing to a key that does not
// exist: nothing can be opened or made through it. Removed when the object goes away.
class DanglingLink {
 public:
  DanglingLink(HKEY root, const std::string& path);
  ~DanglingLink();
  DanglingLink(const DanglingLink&) = delete;
  DanglingLink& operator=(const DanglingLink&) = delete;

  // Whether the key the link points to exists (nothing should have made it).
  bool TargetExists() const;

 private:
  HKEY root_;
  std::string path_;
};

// A folder where a file should be, so that the file cannot be written.
class FolderInTheWay {
 public:
  explicit FolderInTheWay(std::string path);
  ~FolderInTheWay();
  FolderInTheWay(const FolderInTheWay&) = delete;
  FolderInTheWay& operator=(const FolderInTheWay&) = delete;

 private:
  std::string path_;
};
