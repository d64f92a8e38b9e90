#pragma once
// The data source box's list kept ready, so that the box drops down at once on a machine with
// thousands of data sources. Its content is always what ListDataSources gives at the moment of
// the drop-down: the lists' keys under both roots are watched from just before every reading,
// and a drop-down after any change below them (a data source registered or deleted by this
// program or any other) reads the registry again.
//
// The readings ahead run on a thread of their own: the first while the dialog shows, another
// after each change (the watches post kDataSourcesChangedMessage to the dialog, which calls
// Refresh). A reading done posts kDataSourcesReadMessage to the dialog, which hands the first
// list to the box in idle time; later ones wait for the drop-down. Everything else runs on the
// user-interface thread.
#include <windows.h>

#include <future>
#include <string>

#include "framework/Strings.h"
#include "framework/win32/RegistryWatch.h"

class TComboBox;

constexpr UINT kDataSourcesReadMessage = WM_APP + 1;
constexpr UINT kDataSourcesChangedMessage = WM_APP + 2;

class PreparedDataSourceList {
 public:
  explicit PreparedDataSourceList(std::string filter);

  // Starts reading ahead (once; later calls do nothing), telling notifyWindow.
  void Prepare(HWND notifyWindow);
  // Reads ahead again when the registry changed since the last reading (or that reading was given
  // up) and no reading is under way.
  void Refresh();
  // The list read ahead, the first time its reading is done with nothing changed since; nullptr
  // otherwise. Never waits.
  const TStringList* FirstReadyList();
  // Makes list hold what ListDataSources gives now: the prepared list when it is current (list
  // is not touched when it holds it already), otherwise the registry read again here, with
  // ListDataSources' failure (the names gathered so far, and its error raised).
  void Fill(TStrings& list);

 private:
  void StartReading();
  void TakeReading(bool wait);
  bool WatchesSawChange() const;
  bool Current() const;
  void ReadNow(TStrings& list);

  std::string filter_;
  RegistryWatch userWatch_, machineWatch_;
  std::future<TStringList> reading_;
  HWND notifyWindow_ = nullptr;
  bool started_ = false;
  bool handedOut_ = false;
  bool prepared_ = false;  // names_ was read whole and the watches armed before
  bool failed_ = false;    // the last reading raised an error
  TStringList names_;
};
