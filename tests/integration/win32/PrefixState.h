// Everything of the prefix that an installation run writes or must leave alone, read whole: the
// ODBC registry trees of both roots, ODBC.INI and ODBCINST.INI, the engine's configuration file,
// the saved settings and the host list, and the four driver files of the system directory with
// their times. The fault matrix puts one such state back before every case.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>

#include "tests/unit/app/win32/OdbcState.h"

struct DriverFile {
  FileCopy copy;
  FILETIME lastWrite = {};
  bool operator==(const DriverFile& other) const {
    return copy == other.copy && CompareFileTime(&lastWrite, &other.lastWrite) == 0;
  }
};

// The files the installation run writes, in its order.
extern const std::array<const char*, 4> DriverFileNames;
// The program's system directory, the one it writes the driver files into, and a file in it.
std::string SystemFile(const std::string& name);

extern const char* const SettingsTree;  // "Software\\Lintora", under HKEY_CURRENT_USER
extern const char* const HostListTree;  // "SoftWare\\Qarn", under HKEY_CURRENT_USER

struct PrefixState {
  OdbcState odbc;
  RegistryTree settings;
  RegistryTree hostList;
  std::map<std::string, DriverFile> driverFiles;  // by file name; absent files too

  static PrefixState Read();
  // No ODBC keys, profile files, alias, settings, host list or driver files.
  static PrefixState Nothing();
  void Restore() const;
};
