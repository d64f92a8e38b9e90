#pragma once
// The data source box's list kept ready, so that the box drops down at once on a machine with
// thousands of data sources. Its content is always what ListDataSources gives at the moment of
// the drop-down: the lists' keys under both roots are watched from just before every reading,
// and a drop-down after any change below them (a data source registered or deleted by this
// program or any other) reads the registry again.
//
// The first reading runs on a thread of its own while the dialog shows; when it is done, that
// thread posts kDataSourcesReadMessage to the dialog, which hands the list to the box in idle
// time. Everything else runs on the user-interface thread.
#include <windows.h>

#include <future>
#include <string>

#include "framework/Strings.h"
#include "framework/win32/RegistryWatch.h"

class TComboBox;

constexpr UINT kDataSourcesReadMessage = WM_APP + 1;

class PreparedDataSourceList {
 public:
  explicit PreparedDataSourceList(std::string filter);

  // Starts the reading ahead (once; later calls do nothing); done tells notifyWindow.
  void Prepare(HWND notifyWindow);
  // The list read ahead, when its reading is done and nothing changed since; nullptr otherwise.
  // Never waits.
  const TStringList* ReadyList();
  // Makes list hold what ListDataSources gives now: the prepared list when it is current (list
  // is not touched when it holds it already), otherwise the registry read again here, with
  // ListDataSources' failure (the names gathered so far, and its error raised).
  void Fill(TStrings& list);

 private:
  void TakeReading(bool wait);
  bool Current() const;
  void ReadNow(TStrings& list);

  std::string filter_;
  RegistryWatch userWatch_, machineWatch_;
  std::future<TStringList> reading_;
  bool started_ = false;
  bool prepared_ = false;  // names_ was read whole and the watches armed before
  TStringList names_;
};
